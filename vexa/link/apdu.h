// SPDX-License-Identifier: MIT
// Command APDUs and the bytes the reader takes for them: under T=0 the body
// CLA INS P1 P2 P3 data, under T=1 that body inside an information block
// NAD PCB LEN body LRC. Pure functions, no reader traffic.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vexa {

// slen travels in one byte, so an APDU has at most 255 bytes.
constexpr std::size_t kMaxApdu = 255;
constexpr std::size_t kT1Overhead = 4;  // NAD, PCB, LEN, LRC

struct ApduBytes {
    std::array<std::uint8_t, kMaxApdu + kT1Overhead> bytes{};
    std::size_t size = 0;

    std::span<const std::uint8_t> View() const { return {bytes.data(), size}; }
};

// Reads the APDU as case 1 (header), 2 (header, Le), 3 (header, Lc, data) or
// 4 (header, Lc, data, Le) and writes the body: P3 is Lc when there are data,
// else Le (0 without Le); the Le of case 4 is dropped. Returns 0 or -17.
std::int32_t BuildBody(std::span<const std::uint8_t> apdu, ApduBytes& body);

// The T=1 information block carrying `body` (at most kMaxApdu bytes).
ApduBytes BuildT1Block(std::span<const std::uint8_t> body, std::uint8_t pcb);

// What the caller receives of a T=1 answer: the information field of an
// I-block (PCB 0x00 or 0x40) whose LEN fits the bytes received, otherwise the
// whole block as it came (chained, R- and S-blocks, malformed blocks).
std::span<const std::uint8_t> T1AnswerContent(std::span<const std::uint8_t> block);

}  // namespace vexa
