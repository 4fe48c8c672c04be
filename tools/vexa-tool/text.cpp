// SPDX-License-Identifier: MIT
#include "tools/vexa-tool/text.h"

#include <cctype>
#include <cstdio>

namespace tool {

std::string HexDump(const std::vector<std::uint8_t>& bytes, long base) {
    std::string out;
    char cell[16];
    for (std::size_t row = 0; row < bytes.size(); row += 16) {
        std::snprintf(cell, sizeof cell, "%06lX ", base + static_cast<long>(row));
        out += cell;
        std::string ascii;
        for (std::size_t i = row; i < row + 16; ++i) {
            if (i < bytes.size()) {
                std::snprintf(cell, sizeof cell, " %02X", bytes[i]);
                ascii += std::isprint(bytes[i]) ? static_cast<char>(bytes[i]) : '.';
            } else {
                std::snprintf(cell, sizeof cell, "   ");
            }
            out += cell;
        }
        out += "  |" + ascii + "|\n";
    }
    return out;
}

std::optional<std::vector<std::uint8_t>> ParseHex(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c)) || c == ':') continue;
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        digits += c;
    }
    if (digits.size() % 2 != 0) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < digits.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return bytes;
}

std::string ToHex(const std::uint8_t* bytes, std::size_t n) {
    std::string out;
    char cell[4];
    for (std::size_t i = 0; i < n; ++i) {
        std::snprintf(cell, sizeof cell, "%02X", bytes[i]);
        out += cell;
    }
    return out;
}

}  // namespace tool
