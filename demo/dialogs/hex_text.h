// SPDX-License-Identifier: MIT
// Bytes as the operator types and reads them in the dialogs: two hexadecimal
// digits per byte, high nibble first, no separators.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace demo {

// Upper-case digits.
std::string BytesToHexText(std::span<const std::uint8_t> bytes);

// Reads the text in pairs from the start; a trailing odd character is
// ignored. Letters are taken in either case. Any character of a pair that is
// not a hexadecimal digit fails the whole conversion.
std::optional<std::vector<std::uint8_t>> HexTextToBytes(std::string_view text);

}  // namespace demo
