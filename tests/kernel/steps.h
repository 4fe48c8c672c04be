// SPDX-License-Identifier: MIT
// The scenario's steps, each through the public API of the production
// library against the virtual reader behind /dev/hidrawN, or through PC/SC.
#pragma once

#include <cstdint>
#include <string>

#include "tests/kernel/reader_control.h"
#include "tests/kernel/tally.h"

namespace kernel_test {

struct Bench {
    ReaderControl& reader;
    Tally& tally;
    std::int32_t icdev;
    std::string self;  // this program, for the second process
};

constexpr std::int32_t kPort = 100;
constexpr std::int32_t kDevice = 180;

// IC_InitComm on port 100 until it succeeds or a few seconds passed: a device
// just created appears under /dev a moment after the kernel took it.
std::int32_t OpenWhenPresent();

// Version, card status, and the exclusive open.
void ReaderSteps(Bench& b);
// Detection, selection, reads, writes and the security code.
void Sle4442Steps(Bench& b);
// The 2048-byte verified write and read back, with their figures.
void EepromSteps(Bench& b);
// Detection, reset, protocol and APDUs of the CPU card of that simulated
// name; `detected` is IC_CheckCard's answer, `protocol` 0 for T=0, 1 for T=1.
void CpuSteps(Bench& b, const std::string& card, int detected, int protocol);
// The reader pulled out in the middle of a long read, then plugged in again.
void UnplugSteps(Bench& b);
// USB readers of the usbip-reader program `server` (three of them) plugged in
// and pulled while pcscd serves them to a PC/SC client.
void HotplugSteps(ReaderControl& server, Tally& tally);

}  // namespace kernel_test
