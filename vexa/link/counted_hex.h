// SPDX-License-Identifier: MIT
// Hexadecimal twins whose raw sibling reports how many bytes it produced in a
// length byte (the ATR and the APDU response).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "vexa/link/hex_text.h"
#include "vexa/link/status.h"

namespace vexa {

// `raw(len, bytes)` fills a zero-filled work area of `Area` bytes and a length
// byte; only on success are the length byte and the text written. Returns the
// last-error register as the wrapped call left it.
template <std::size_t Area, typename Raw>
std::int16_t WithCountedHexOutput(std::uint8_t* length, char* text, Raw raw) {
    if (length == nullptr || text == nullptr) return Finish(kLengthError);
    std::array<std::uint8_t, Area> work{};
    std::uint8_t produced = 0;
    const std::int16_t st = raw(&produced, work.data());
    if (st != kOk) return st;
    *length = produced;
    BytesToHex(work.data(), text, produced);
    return static_cast<std::int16_t>(LastError());
}

}  // namespace vexa
