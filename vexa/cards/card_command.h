// SPDX-License-Identifier: MIT
// The exchange shared by the memory cards' single-command operations: the
// reader either echoes the command code, or refuses with an answer word
// (wrong code, locked card, no card), which is passed on as the status.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "vexa/link/exchange.h"

namespace vexa {

// Sends the command; 0 when the reader echoed it, else the transport status or
// the answer word.
std::int32_t EchoedExchange(std::int32_t icdev, std::uint8_t code,
                            std::span<const std::uint8_t> data, Response& r);

// Sends a security code of `size` bytes; a missing code gives -20.
std::int32_t SendCode(std::int32_t icdev, std::uint8_t command, const std::uint8_t* code,
                      std::size_t size);

// A write-like command: `header` (address and count bytes) followed by `count`
// bytes of `data`. Negative counts, a missing buffer and frames beyond 251 data
// bytes give -20 without touching the reader.
// `drop_extra_chunk` as for Exchange (the 24C64 write).
std::int32_t SendWithData(std::int32_t icdev, std::uint8_t code,
                          std::span<const std::uint8_t> header, const std::uint8_t* data,
                          std::int32_t count, bool drop_extra_chunk = false);

// A plain read: the echoed answer must carry at least `count` bytes, of which
// `count` are copied to `out`; a shorter answer gives -20 and leaves `out` as
// it was.
std::int32_t ReadInto(std::int32_t icdev, std::uint8_t code, std::span<const std::uint8_t> request,
                      std::uint8_t* out, std::size_t count);

// For answers of a fixed size: 0 when the echoed answer carries exactly
// `expected` bytes, otherwise its LEN as a positive status (an empty answer,
// whose LEN would read as success, gives -20).
std::int32_t ExactLength(const Response& r, std::size_t expected);

constexpr std::uint8_t AddressLow(std::int16_t a) {
    return static_cast<std::uint8_t>(a & 0xFF);
}
constexpr std::uint8_t AddressHigh(std::int16_t a) {
    return static_cast<std::uint8_t>(a >> 8);
}

// The header of the 24Cxx and SLE4428 commands: address low byte first,
// then the count.
constexpr std::array<std::uint8_t, 3> AddressAndCount(std::int16_t address, std::uint8_t count) {
    return {AddressLow(address), AddressHigh(address), count};
}

}  // namespace vexa
