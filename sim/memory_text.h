// SPDX-License-Identifier: MIT
// Card memory as text, for the simulator build's state file:
//
//   24C02
//   0000: 32 34 43 ...        (one line per `line` bytes, bytes in hexadecimal)
//
// The first line names the chip, so that the state of one chip is never loaded
// into another. Lines whose bytes all equal `blank` (the erased value) are left
// out and read back as `blank`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace sim {

struct MemoryLayout {
    std::string_view name;
    std::size_t line;  // bytes per text line
    std::uint8_t blank;
};

std::string MemoryToText(const MemoryLayout& layout, std::span<const std::uint8_t> memory);

// All or nothing: on any malformed line, a foreign chip name or an offset out
// of range `memory` is left as it was and false is returned.
bool MemoryFromText(const MemoryLayout& layout, std::string_view text,
                    std::span<std::uint8_t> memory);

}  // namespace sim
