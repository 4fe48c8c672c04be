// SPDX-License-Identifier: MIT
// IC_Read and IC_Write: card memory of whichever family IC_InitType selected,
// in pieces that fit one reader command.
#include "vexa.h"
#include "vexa/cards/pieces.h"
#include "vexa/cards/serial_memory.h"
#include "vexa/cards/verified_write.h"
#include "vexa/link/build_config.h"
#include "vexa/link/selection.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

PieceRead PieceReadFor(const Selection& sel) {
    switch (sel.reader_code) {
        case kReader24C:
            if (sel.mode_24c64) return Read_24C64;
            return Read_24C;
        case kReader4442:
            return Read_4442;
        case kReader4428:
            return Read_4428;
        default:
            return nullptr;  // no memory family, or the 45DB041 (pages only)
    }
}

std::int32_t ReadPieces(std::int32_t icdev, std::int16_t offset, std::int16_t length,
                        std::uint8_t* out) {
    if (BadRequest(offset, length, out)) return kLengthError;
    const PieceRead read = PieceReadFor(CurrentSelection());
    if (read == nullptr) return kWrongCardType;
    return ForEachPiece(offset, length, kMemoryPiece,
                        [&](std::int32_t a, std::int32_t pos, std::int32_t n) {
                            return read(icdev, a, n, out + pos);
                        });
}

// The full build opens an SLE4442 write with a one-byte read of address 0, so
// a missing or foreign card fails the call before anything is written, even
// for a length of 0.
std::int32_t WriteSle4442(std::int32_t icdev, std::int16_t offset, std::int16_t length,
                          const std::uint8_t* data) {
    if constexpr (!kReducedBuild) {
        std::uint8_t scratch = 0;
        const std::int32_t st = Read_4442(icdev, 0, 1, &scratch);
        if (st != kOk) return st;
    }
    return WriteVerifiedPieces(icdev, Write_4442, Read_4442, offset, length, data);
}

}  // namespace

}  // namespace vexa

using namespace vexa;

int16_t IC_Read(int32_t icdev, int32_t offset, int32_t length, unsigned char* out) {
    return Finish(ReadPieces(icdev, Low16(offset), Low16(length), out));
}

int16_t IC_Write(int32_t icdev, int32_t offset, int32_t length, const unsigned char* data) {
    const std::int16_t o = Low16(offset);
    const std::int16_t n = Low16(length);
    if (BadRequest(o, n, data)) return Finish(kLengthError);
    const Selection& sel = CurrentSelection();
    switch (sel.reader_code) {
        case kReader24C:
            return sel.mode_24c64 ? IC_Write64(icdev, o, n, data) : IC_Write24(icdev, o, n, data);
        case kReader4442:
            return Finish(WriteSle4442(icdev, o, n, data));
        case kReader4428:
            return Finish(WriteVerifiedPieces(icdev, Write_4428, Read_4428, o, n, data));
        default:
            return Finish(kWrongCardType);
    }
}
