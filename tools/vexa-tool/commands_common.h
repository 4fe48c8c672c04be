// SPDX-License-Identifier: MIT
// Argument parsing shared by the commands. Bad arguments throw UsageError.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/vexa-tool/session.h"

namespace tool {

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Decimal or 0x-prefixed hexadecimal.
long Number(const std::string& text);
// A non-negative length of at most 65535 bytes.
std::size_t Count(const std::string& text);
std::vector<std::uint8_t> Bytes(const std::string& hex);
// A security code: 2 (SLE4428) or 3 (SLE4442) bytes.
std::vector<std::uint8_t> CodeBytes(const std::string& hex);
// Reads `length` bytes with `read(buffer)` and prints them as a hex dump
// with addresses from `offset`; returns the read's status.
int ReadAndDump(long offset, const std::string& length,
                const std::function<int(std::int32_t n, std::uint8_t* out)>& read);
// Whether the library's last-error register says "success".
bool LastCallSucceeded();

void AddReaderCommands(std::vector<Command>& out);
void AddCardCommands(std::vector<Command>& out);
void AddCpuCommands(std::vector<Command>& out);

}  // namespace tool
