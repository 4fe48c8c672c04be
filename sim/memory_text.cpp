// SPDX-License-Identifier: MIT
#include "sim/memory_text.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <vector>

namespace sim {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

std::string Hex(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (std::uint8_t b : bytes) {
        text += ' ';
        text += kDigits[b >> 4];
        text += kDigits[b & 0x0F];
    }
    return text;
}

int Nibble(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// " 3A 7F ..." into exactly out.size() bytes.
bool ParseHex(std::string_view text, std::span<std::uint8_t> out) {
    if (text.size() != 3 * out.size()) return false;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const int hi = Nibble(text[3 * i + 1]);
        const int lo = Nibble(text[3 * i + 2]);
        if (text[3 * i] != ' ' || hi < 0 || lo < 0) return false;
        out[i] = static_cast<std::uint8_t>(hi << 4 | lo);
    }
    return true;
}

// "OFFSET: bytes" into its place in `memory`.
bool ParseLine(const MemoryLayout& layout, std::string_view line, std::span<std::uint8_t> memory) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return false;
    std::size_t offset = 0;
    const auto [end, ec] = std::from_chars(line.data(), line.data() + colon, offset, 16);
    if (ec != std::errc{} || end != line.data() + colon) return false;
    if (offset % layout.line != 0 || offset >= memory.size()) return false;
    const std::size_t n = std::min(layout.line, memory.size() - offset);
    return ParseHex(line.substr(colon + 1), memory.subspan(offset, n));
}

}  // namespace

std::string MemoryToText(const MemoryLayout& layout, std::span<const std::uint8_t> memory) {
    std::string text(layout.name);
    text += '\n';
    for (std::size_t offset = 0; offset < memory.size(); offset += layout.line) {
        const auto line = memory.subspan(offset, std::min(layout.line, memory.size() - offset));
        if (std::all_of(line.begin(), line.end(),
                        [&](std::uint8_t b) { return b == layout.blank; }))
            continue;
        char label[24];
        std::snprintf(label, sizeof label, "%04zX:", offset);
        text += label + Hex(line) + '\n';
    }
    return text;
}

bool MemoryFromText(const MemoryLayout& layout, std::string_view text,
                    std::span<std::uint8_t> memory) {
    std::vector<std::uint8_t> loaded(memory.size(), layout.blank);
    bool named = false;
    while (!text.empty()) {
        const std::size_t eol = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, eol);
        text.remove_prefix(std::min(eol + 1, text.size()));
        if (line.empty()) continue;
        if (!named) {
            if (line != layout.name) return false;
            named = true;
        } else if (!ParseLine(layout, line, loaded)) {
            return false;
        }
    }
    if (!named) return false;
    std::copy(loaded.begin(), loaded.end(), memory.begin());
    return true;
}

}  // namespace sim
