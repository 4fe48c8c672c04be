// SPDX-License-Identifier: MIT
// Requests longer than one reader command can carry are cut into pieces of a
// fixed size and sent in order. The first piece that fails ends the request;
// the pieces before it stay done.
#pragma once

#include <algorithm>
#include <cstdint>

#include "vexa/link/status.h"

namespace vexa {

// Arguments every memory entry point refuses (-20) before touching the reader:
// a negative start or length, or no buffer behind a non-empty request.
inline bool BadRequest(std::int32_t start, std::int32_t length, const void* buffer) {
    return start < 0 || length < 0 || (length > 0 && buffer == nullptr);
}

// Calls piece(address, position, count) for each piece in order: `count` bytes
// (at most `size`) at card address start + position, caller bytes from
// `position` onward. Returns the status of the first failing piece, else 0; a
// length of 0 calls nothing.
template <typename Piece>
std::int32_t ForEachPiece(std::int32_t start, std::int32_t length, std::int32_t size, Piece piece) {
    for (std::int32_t pos = 0; pos < length; pos += size) {
        const std::int32_t st = piece(start + pos, pos, std::min(size, length - pos));
        if (st != kOk) return st;
    }
    return kOk;
}

}  // namespace vexa
