// SPDX-License-Identifier: MIT
// Hexadecimal text as the API carries it: two characters per byte, high nibble
// first, upper case produced, either case accepted, never NUL-terminated.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "vexa/link/status.h"

namespace vexa {

void BytesToHex(const std::uint8_t* bytes, char* text, std::int32_t n);
// No character is rejected: a non-digit yields whatever the arithmetic gives.
void HexToBytes(const char* text, std::uint8_t* bytes, std::int32_t n);

// A twin that takes hexadecimal text in: converts `n` bytes' worth of text into
// a zero-filled work area of `Area` bytes and hands it to `raw`, which returns
// (and stores) its own status. Lengths outside the work area give -20 without
// touching the reader.
template <std::size_t Area, typename Raw>
std::int16_t WithHexInput(const char* text, std::int32_t n, Raw raw) {
    if (n < 0 || static_cast<std::size_t>(n) > Area || (n > 0 && text == nullptr))
        return Finish(kLengthError);
    std::array<std::uint8_t, Area> work{};
    HexToBytes(text, work.data(), n);
    return raw(work.data());
}

// A twin that hands hexadecimal text out: `raw` fills a zero-filled work area;
// only on success are `out_bytes` of it written to `text` as hexadecimal.
// Returns the last-error register, as the wrapped call left it.
template <std::size_t Area, typename Raw>
std::int16_t WithHexOutput(char* text, std::int32_t out_bytes, Raw raw) {
    if (out_bytes < 0 || static_cast<std::size_t>(out_bytes) > Area ||
        (out_bytes > 0 && text == nullptr))
        return Finish(kLengthError);
    std::array<std::uint8_t, Area> work{};
    const std::int16_t st = raw(work.data());
    if (st != kOk) return st;
    BytesToHex(work.data(), text, out_bytes);
    return static_cast<std::int16_t>(LastError());
}

}  // namespace vexa
