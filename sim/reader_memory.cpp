// SPDX-License-Identifier: MIT
#include "sim/reader_memory.h"

#include <algorithm>

namespace sim {

namespace {
constexpr std::uint8_t kRead = 0xB0;
constexpr std::uint8_t kWrite = 0xB1;
constexpr std::size_t kHeader = 3;  // address low, address high, count
}  // namespace

// Requests that would run past the end are refused rather than wrapped, so a
// caller's addressing fault shows up instead of landing somewhere else.
Reply ReaderMemory::Handle(const Command& cmd) {
    if (cmd.code != kRead && cmd.code != kWrite) return Refuse(kWordCommandError);
    if (cmd.data.size() < kHeader) return Refuse(kWordCommandError);
    const std::size_t address = cmd.data[0] | (std::size_t{cmd.data[1]} << 8);
    const std::size_t count = cmd.data[2];
    if (address + count > kSize) return Refuse(kWordCommandError);
    const auto at = bytes_.begin() + static_cast<std::ptrdiff_t>(address);
    if (cmd.code == kRead) {
        if (cmd.data.size() != kHeader) return Refuse(kWordCommandError);
        return Echo(kRead, std::vector<std::uint8_t>(at, at + static_cast<std::ptrdiff_t>(count)));
    }
    if (cmd.data.size() != kHeader + count) return Refuse(kWordCommandError);
    std::copy(cmd.data.begin() + kHeader, cmd.data.end(), at);
    return Echo(kWrite);
}

}  // namespace sim
