// SPDX-License-Identifier: MIT
#include "demo/dialogs/hex_text.h"

#include <cctype>

namespace demo {

namespace {

std::optional<int> NibbleOf(char c) {
    const int upper = std::toupper(static_cast<unsigned char>(c));
    if (upper >= '0' && upper <= '9') return upper - '0';
    if (upper >= 'A' && upper <= 'F') return upper - 'A' + 10;
    return std::nullopt;
}

}  // namespace

std::string BytesToHexText(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (std::uint8_t byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

std::optional<std::vector<std::uint8_t>> HexTextToBytes(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        const std::optional<int> high = NibbleOf(text[i]);
        const std::optional<int> low = NibbleOf(text[i + 1]);
        if (!high || !low) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(*high << 4 | *low));
    }
    return bytes;
}

}  // namespace demo
