// SPDX-License-Identifier: MIT
#include "sim/state_sections.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace sim {

namespace {

// The section starting with the line `name`, up to the next line that is not
// an "OFFSET: bytes" line.
std::optional<std::string_view> FindSection(std::string_view text, std::string_view name) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t eol = std::min(text.find('\n', start), text.size());
        if (text.substr(start, eol - start) == name) break;
        start = eol + 1;
    }
    if (start >= text.size()) return std::nullopt;
    std::size_t end = std::min(text.find('\n', start), text.size());
    while (end < text.size()) {
        const std::size_t eol = std::min(text.find('\n', end + 1), text.size());
        if (text.substr(end + 1, eol - end - 1).find(':') == std::string_view::npos) break;
        end = eol;
    }
    return text.substr(start, end - start);
}

}  // namespace

std::string SectionsToText(std::initializer_list<StateSectionView> sections) {
    std::string text;
    for (const StateSectionView& s : sections) text += MemoryToText(s.layout, s.memory);
    return text;
}

bool SectionsFromText(std::string_view text, std::initializer_list<StateSection> sections) {
    std::vector<std::vector<std::uint8_t>> loaded;
    for (const StateSection& s : sections) {
        const auto section = FindSection(text, s.layout.name);
        std::vector<std::uint8_t> memory(s.memory.begin(), s.memory.end());
        if (!section || !MemoryFromText(s.layout, *section, memory)) return false;
        loaded.push_back(std::move(memory));
    }
    auto memory = loaded.begin();
    for (const StateSection& s : sections) {
        std::copy(memory->begin(), memory->end(), s.memory.begin());
        ++memory;
    }
    return true;
}

}  // namespace sim
