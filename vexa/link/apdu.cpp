// SPDX-License-Identifier: MIT
#include "vexa/link/apdu.h"

#include <algorithm>
#include <functional>
#include <numeric>

#include "vexa/link/status.h"

namespace vexa {

namespace {

constexpr std::size_t kHeader = 4;  // CLA INS P1 P2
constexpr std::uint8_t kNad = 0x00;

}  // namespace

std::int32_t BuildBody(std::span<const std::uint8_t> apdu, ApduBytes& body) {
    const std::size_t n = apdu.size();
    if (n < kHeader || n > kMaxApdu) return kApduLength;
    std::size_t lc = 0;
    std::uint8_t p3 = 0;
    if (n == kHeader + 1) {
        p3 = apdu[kHeader];  // case 2: Le
    } else if (n > kHeader + 1) {
        lc = apdu[kHeader];
        const bool case3 = n == kHeader + 1 + lc;
        const bool case4 = n == kHeader + 2 + lc;
        if (!case3 && !case4) return kApduLength;
        // Lc 0 can only be a case 4 APDU, whose Le then takes its place.
        p3 = lc != 0 ? static_cast<std::uint8_t>(lc) : apdu[n - 1];
    }
    std::copy_n(apdu.begin(), kHeader, body.bytes.begin());
    body.bytes[kHeader] = p3;
    std::copy_n(apdu.begin() + kHeader + 1, lc, body.bytes.begin() + kHeader + 1);
    body.size = kHeader + 1 + lc;
    return kOk;
}

ApduBytes BuildT1Block(std::span<const std::uint8_t> body, std::uint8_t pcb) {
    ApduBytes block;
    const std::size_t n = std::min(body.size(), kMaxApdu);
    block.bytes[0] = kNad;
    block.bytes[1] = pcb;
    block.bytes[2] = static_cast<std::uint8_t>(n);
    std::copy_n(body.begin(), n, block.bytes.begin() + 3);
    const auto end = block.bytes.begin() + 3 + static_cast<std::ptrdiff_t>(n);
    block.bytes[3 + n] =
        std::accumulate(block.bytes.begin(), end, std::uint8_t{0}, std::bit_xor<>());
    block.size = n + kT1Overhead;
    return block;
}

std::span<const std::uint8_t> T1AnswerContent(std::span<const std::uint8_t> block) {
    if (block.size() < 3) return block;
    const std::uint8_t pcb = block[1];
    const std::size_t len = block[2];
    const bool information = pcb == 0x00 || pcb == 0x40;
    if (!information || 3 + len > block.size()) return block;
    return block.subspan(3, len);
}

}  // namespace vexa
