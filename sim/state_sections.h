// SPDX-License-Identifier: MIT
// A card state made of several memories (data, protection, security), each
// written as its own named section in the layout of memory_text.h:
//
//   SLE4442
//   0000: A2 13 10 91 ...
//   SLE4442 protection
//   0000: 00 FF FF FF
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "sim/memory_text.h"

namespace sim {

struct StateSection {
    MemoryLayout layout;
    std::span<std::uint8_t> memory;
};

struct StateSectionView {
    MemoryLayout layout;
    std::span<const std::uint8_t> memory;
};

std::string SectionsToText(std::initializer_list<StateSectionView> sections);

// All or nothing: every section must be present and well formed, else no
// memory changes and false is returned.
bool SectionsFromText(std::string_view text, std::initializer_list<StateSection> sections);

}  // namespace sim
