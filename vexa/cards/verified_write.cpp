// SPDX-License-Identifier: MIT
#include "vexa/cards/verified_write.h"

#include <algorithm>
#include <array>

#include "vexa/cards/pieces.h"
#include "vexa/link/status.h"

namespace vexa {

std::int32_t WriteVerified(std::int32_t icdev, PieceWrite write, PieceRead read,
                           std::int32_t address, std::int32_t count, const std::uint8_t* data) {
    if (count < 0 || count > kMemoryPiece) return kLengthError;
    std::int32_t st = write(icdev, address, count, data);
    if (st != kOk) return st;
    std::array<std::uint8_t, kMemoryPiece> back{};
    st = read(icdev, address, count, back.data());
    if (st != kOk) return st;
    return std::equal(data, data + count, back.begin()) ? kOk : kWriteMismatch;
}

std::int32_t WriteVerifiedPieces(std::int32_t icdev, PieceWrite write, PieceRead read,
                                 std::int32_t address, std::int32_t length,
                                 const std::uint8_t* data) {
    return ForEachPiece(address, length, kMemoryPiece,
                        [&](std::int32_t a, std::int32_t pos, std::int32_t n) {
                            return WriteVerified(icdev, write, read, a, n, data + pos);
                        });
}

}  // namespace vexa
