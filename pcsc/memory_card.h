// SPDX-License-Identifier: MIT
// The memory card in a slot as the driver knows it: its family, its size and
// what it has seen of the card's code since power-up.
#pragma once

#include <cstdint>
#include <optional>

#include "pcsc/status_words.h"

namespace ifd {

enum class Family { kSle4442, kSle4428, k24C, k24C64 };

struct FamilyTraits {
    Family family;
    std::uint8_t type_code;  // the library's card-type code (IC_InitType)
    int code_length;         // bytes of the card's code; 0: the card has none
    int attempts;            // code attempts of a fresh error counter
    int size;                // bytes; 0: found by probing the chip (24C01A .. 24C16)
};

const FamilyTraits& TraitsOf(Family family);
std::optional<Family> FamilyOfTypeCode(std::uint8_t type_code);

struct MemoryCard {
    Family family = Family::kSle4442;
    int size = 0;
    bool verified = false;  // the right code was presented since power-up
    // A 24C64 answers one-byte-address reads as a 256-byte chip would, and
    // takes the first data byte of such a write as its address: a 24Cxx found
    // at power-up is written only once its type was selected.
    bool addressing_known = true;
    std::optional<int> attempts;  // code attempts left, once read

    bool HasCode() const { return TraitsOf(family).code_length != 0; }
};

// The security memory of an SLE card: the error counter, then the code as
// the card shows it (zeros until verified); notes the attempts left.
int SecurityMemoryLength(const MemoryCard& card);
std::int32_t ReadSecurityMemory(std::int32_t icdev, MemoryCard& card, Bytes& out);

// Selects the family in the library and the reader and finds the card's size,
// reading only. A failed call gives its library status.
std::int32_t SelectFamily(std::int32_t icdev, Family family, MemoryCard& card);

// A card of the family found in the slot by reads only, and the answer to
// reset reported for it: 3B 04 and four bytes (the chip's own answer to reset
// for the SLE families, whose attempts left are read too).
struct DetectedCard {
    MemoryCard card;
    Bytes atr;
};
std::optional<DetectedCard> DetectProtectedMemoryCard(std::int32_t icdev);
std::optional<DetectedCard> DetectEepromCard(std::int32_t icdev);

}  // namespace ifd
