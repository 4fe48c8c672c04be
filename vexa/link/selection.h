// SPDX-License-Identifier: MIT
// The library-global card selection shared by every device number.
#pragma once

#include <cstdint>

#include "vexa.h"

namespace vexa {

// Selects the card protocol of the reader's slot.
constexpr std::uint8_t kSelectCommand = 0xA5;

// Reader card codes sent with kSelectCommand.
constexpr std::uint8_t kReader24C = 0x10;  // every 24Cxx card, and the reader's own memory
constexpr std::uint8_t kReader4442 = 0x11;
constexpr std::uint8_t kReader4428 = 0x12;
constexpr std::uint8_t kReader45DB = 0x13;
constexpr std::uint8_t kReaderNone = 0x00;

// Card-type codes given to IC_InitType.
constexpr std::uint8_t kType4428 = VEXA_TYPE_SLE4428;
constexpr std::uint8_t kTypeCpu = VEXA_TYPE_CPU;
constexpr std::uint8_t kType4442 = VEXA_TYPE_SLE4442;
constexpr std::uint8_t kType24C = VEXA_TYPE_24C;
constexpr std::uint8_t kType45DB = VEXA_TYPE_45DB041;
constexpr std::uint8_t kType24C64 = VEXA_TYPE_24C64;

struct Selection {
    std::uint8_t card_type = kTypeCpu;
    std::uint8_t reader_code = kReaderNone;
    std::uint8_t mode_24c64 = 0;  // 1: two-byte word addresses
};

Selection& CurrentSelection();

}  // namespace vexa
