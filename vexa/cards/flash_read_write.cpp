// SPDX-License-Identifier: MIT
// IC_DirectRead and IC_DirectWrite: one 45DB041 page, in pieces of 140 bytes.
// The page number never advances: a request running past the end of the page
// hands byte offsets beyond 263 to the reader, which decides what they mean.
// Writes are not read back.
#include "vexa.h"
#include "vexa/cards/pieces.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

constexpr std::int32_t kFlashPiece = 140;

bool BadFlashRequest(std::int16_t page, std::int16_t offset, std::int16_t length,
                     const void* buffer) {
    return page < 0 || BadRequest(offset, length, buffer);
}

std::int32_t ReadPage(std::int32_t icdev, std::int16_t page, std::int16_t offset,
                      std::int16_t length, std::uint8_t* out) {
    if (BadFlashRequest(page, offset, length, out)) return kLengthError;
    return ForEachPiece(offset, length, kFlashPiece,
                        [&](std::int32_t a, std::int32_t pos, std::int32_t n) {
                            return Read_45DB041(icdev, page, a, n, out + pos);
                        });
}

std::int32_t WritePage(std::int32_t icdev, std::int16_t page, std::int16_t offset,
                       std::int16_t length, const std::uint8_t* data) {
    if (BadFlashRequest(page, offset, length, data)) return kLengthError;
    return ForEachPiece(offset, length, kFlashPiece,
                        [&](std::int32_t a, std::int32_t pos, std::int32_t n) {
                            return Write_45DB041(icdev, page, a, n, data + pos);
                        });
}

}  // namespace

}  // namespace vexa

using namespace vexa;

int16_t IC_DirectRead(int32_t icdev, int32_t page, int32_t offset, int32_t length,
                      unsigned char* out) {
    return Finish(ReadPage(icdev, Low16(page), Low16(offset), Low16(length), out));
}

int16_t IC_DirectWrite(int32_t icdev, int32_t page, int32_t offset, int32_t length,
                       const unsigned char* data) {
    return Finish(WritePage(icdev, Low16(page), Low16(offset), Low16(length), data));
}
