// SPDX-License-Identifier: MIT
// Text helpers of the tool: hex dumps, hex input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tool {

// "0000  A2 13 10 91 ...  |....|" lines, 16 bytes each, offsets from `base`.
std::string HexDump(const std::vector<std::uint8_t>& bytes, long base);

// Hex digits, blanks allowed between bytes ("A2 13" or "a213"); nullopt when
// the text is not a whole number of hex bytes.
std::optional<std::vector<std::uint8_t>> ParseHex(const std::string& text);

std::string ToHex(const std::uint8_t* bytes, std::size_t n);

}  // namespace tool
