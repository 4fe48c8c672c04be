// SPDX-License-Identifier: MIT
// Messages into pcscd's own log, at the levels its --debug, --info and
// --error options choose between. The driver links with --no-undefined and
// tests load it without pcscd, so pcscd's log_msg is looked up when the
// module loads; without it nothing is written.
#pragma once

#include <debuglog.h>

#include <cstdint>
#include <span>

namespace ifd {

void Log(int priority, const char* format, ...) __attribute__((format(printf, 2, 3)));

// A pseudo-APDU's instruction and the status word it was answered with.
void LogStatusWord(std::span<const std::uint8_t> command, std::uint16_t status);

}  // namespace ifd
