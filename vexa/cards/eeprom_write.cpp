// SPDX-License-Identifier: MIT
// IC_Write24 and IC_Write64: verified 24Cxx writes whose pieces start on a
// write page, so that the reader never has to cross a page inside one piece
// it did not expect. An unaligned start is first completed to the page end.
#include "vexa.h"
#include "vexa/cards/pieces.h"
#include "vexa/cards/serial_memory.h"
#include "vexa/cards/verified_write.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

struct EepromFamily {
    std::int32_t page;
    PieceWrite write;
    PieceRead read;
    bool verify_lead;  // whether the piece completing the first page is read back
};

std::int32_t PageAlignedWrite(std::int32_t icdev, const EepromFamily& family, std::int16_t offset,
                              std::int16_t length, const std::uint8_t* data) {
    if (BadRequest(offset, length, data)) return kLengthError;
    std::int32_t address = offset;
    std::int32_t rest = length;
    const std::int32_t lead = family.page - offset % family.page;
    // A request that ends inside its first page goes as one piece.
    if (lead != family.page && rest > lead) {
        const std::int32_t st = family.verify_lead ? WriteVerified(icdev, family.write, family.read,
                                                                   address, lead, data)
                                                   : family.write(icdev, address, lead, data);
        if (st != kOk) return st;
        address += lead;
        rest -= lead;
        data += lead;
    }
    return WriteVerifiedPieces(icdev, family.write, family.read, address, rest, data);
}

}  // namespace

}  // namespace vexa

using namespace vexa;

int16_t IC_Write24(int32_t icdev, int32_t offset, int32_t length, const unsigned char* data) {
    static constexpr EepromFamily kOneByteAddress{8, Write_24C, Read_24C, true};
    return Finish(PageAlignedWrite(icdev, kOneByteAddress, Low16(offset), Low16(length), data));
}

int16_t IC_Write64(int32_t icdev, int32_t offset, int32_t length, const unsigned char* data) {
    static constexpr EepromFamily kTwoByteAddress{32, Write_24C64, Read_24C64, false};
    return Finish(PageAlignedWrite(icdev, kTwoByteAddress, Low16(offset), Low16(length), data));
}
