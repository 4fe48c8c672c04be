// SPDX-License-Identifier: MIT
#include "pcsc/memory_card.h"

#include <algorithm>
#include <array>
#include <bit>
#include <span>

#include "vexa.h"

namespace ifd {

namespace {

constexpr std::array kFamilies{
    FamilyTraits{Family::kSle4442, VEXA_TYPE_SLE4442, 3, 3, 256},
    FamilyTraits{Family::kSle4428, VEXA_TYPE_SLE4428, 2, 8, 1024},
    FamilyTraits{Family::k24C, VEXA_TYPE_24C, 0, 0, 0},
    FamilyTraits{Family::k24C64, VEXA_TYPE_24C64, 0, 0, 8192},
};

constexpr int kBlock = 256;

// SLE4442: the error counter and the three code bytes. SLE4428: the error
// counter at 1021 and the two code bytes after it.
constexpr int kSle4442SecurityLength = 4;
constexpr int kSle4428CounterAddress = 1021;
constexpr int kSle4428SecurityLength = 3;
constexpr std::uint8_t kSle4442CounterBits = 0x07;

// The one-byte-address chips answer only in the 256-byte blocks they have, so
// the highest block that answers a read gives the size (24C01A and 24C02 both
// show 256 bytes). A block the chip lacks is not acknowledged (61 D8); any
// other failure leaves the size unknown rather than taken for a smaller one.
// A chip silent in block 0 is no 24Cxx: its status is given.
constexpr std::int32_t kBlockNotAcknowledged = 0x61D8;

std::int32_t ProbeEepromSize(std::int32_t icdev, int& size) {
    std::int32_t st = 0;
    for (const int blocks : {8, 4, 2, 1}) {
        std::uint8_t byte = 0;
        st = Read_24C(icdev, (blocks - 1) * kBlock, 1, &byte);
        if (st == 0) {
            size = blocks * kBlock;
            return 0;
        }
        if (st != kBlockNotAcknowledged) return st;
    }
    return st;
}

// Where the two SLE families keep the byte that names them.
constexpr int kSignatureLength = 8;
constexpr std::uint8_t kSle4442Signature = 0x15;
constexpr std::uint8_t kSle4428Signature = 0x13;
constexpr std::uint8_t kAtrHead[] = {0x3B, 0x04};

Bytes MemoryAtr(std::span<const std::uint8_t> four) {
    // Reserved first: GCC 12 misreads the growth of a two-byte vector as an
    // overread of it.
    Bytes atr;
    atr.reserve(std::size(kAtrHead) + 4);
    atr.assign(std::begin(kAtrHead), std::end(kAtrHead));
    atr.insert(atr.end(), four.begin(), four.begin() + 4);
    return atr;
}

using SignatureRead = int16_t (*)(int32_t, int32_t, int32_t, unsigned char*);

std::optional<DetectedCard> DetectSle(std::int32_t icdev, Family family, SignatureRead read,
                                      std::uint8_t signature) {
    DetectedCard found;
    std::array<std::uint8_t, kSignatureLength> head{};
    Bytes security;
    if (SelectFamily(icdev, family, found.card) != 0 ||
        read(icdev, 0, kSignatureLength, head.data()) != 0 || head.back() != signature ||
        ReadSecurityMemory(icdev, found.card, security) != 0)
        return std::nullopt;
    found.atr = MemoryAtr(head);
    return found;
}

// "24C" and the chip's size in kilobits, written as its name writes it.
std::uint8_t EepromSizeCode(int size) {
    switch (size) {
        case 512:
            return 0x04;
        case 1024:
            return 0x08;
        case 2048:
            return 0x16;
        case 8192:
            return 0x64;
        default:
            return 0x02;
    }
}

}  // namespace

const FamilyTraits& TraitsOf(Family family) {
    return *std::find_if(kFamilies.begin(), kFamilies.end(),
                         [family](const FamilyTraits& t) { return t.family == family; });
}

std::optional<Family> FamilyOfTypeCode(std::uint8_t type_code) {
    const auto* it =
        std::find_if(kFamilies.begin(), kFamilies.end(),
                     [type_code](const FamilyTraits& t) { return t.type_code == type_code; });
    if (it == kFamilies.end()) return std::nullopt;
    return it->family;
}

int SecurityMemoryLength(const MemoryCard& card) {
    return card.family == Family::kSle4442 ? kSle4442SecurityLength : kSle4428SecurityLength;
}

std::int32_t ReadSecurityMemory(std::int32_t icdev, MemoryCard& card, Bytes& out) {
    out.assign(SecurityMemoryLength(card), 0);
    std::int32_t st = 0;
    std::uint8_t counter_bits = 0xFF;
    if (card.family == Family::kSle4442) {
        st = ReadPass_4442(icdev, out.data());
        counter_bits = kSle4442CounterBits;
    } else {
        st = IC_Read(icdev, kSle4428CounterAddress, kSle4428SecurityLength, out.data());
    }
    if (st == 0) card.attempts = std::popcount(static_cast<std::uint8_t>(out[0] & counter_bits));
    return st;
}

std::int32_t SelectFamily(std::int32_t icdev, Family family, MemoryCard& card) {
    const FamilyTraits& traits = TraitsOf(family);
    std::int32_t st = IC_InitType(icdev, traits.type_code);
    if (st != 0) return st;
    int size = traits.size;
    if (size == 0) st = ProbeEepromSize(icdev, size);
    if (st != 0) return st;
    card = MemoryCard{family, size, false, true, std::nullopt};
    return 0;
}

std::optional<DetectedCard> DetectProtectedMemoryCard(std::int32_t icdev) {
    if (auto found = DetectSle(icdev, Family::kSle4442, Read_4442, kSle4442Signature)) return found;
    return DetectSle(icdev, Family::kSle4428, Read_4428, kSle4428Signature);
}

std::optional<DetectedCard> DetectEepromCard(std::int32_t icdev) {
    DetectedCard found;
    if (SelectFamily(icdev, Family::k24C, found.card) != 0) return std::nullopt;
    found.card.addressing_known = false;
    const std::uint8_t name[] = {'2', '4', 'C', EepromSizeCode(found.card.size)};
    found.atr = MemoryAtr(name);
    return found;
}

}  // namespace ifd
