// SPDX-License-Identifier: MIT
// IC_InitType: records the card family and tells the reader which card
// protocol to use.
#include <array>

#include "vexa.h"
#include "vexa/link/exchange.h"
#include "vexa/link/selection.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

std::uint8_t ReaderCodeFor(std::uint8_t card_type) {
    switch (card_type) {
        case kType4428:
            return kReader4428;
        case kType4442:
            return kReader4442;
        case kType24C:
        case kType24C64:
            return kReader24C;
        case kType45DB:
            return kReader45DB;
        default:
            return kReaderNone;
    }
}

}  // namespace

}  // namespace vexa

using namespace vexa;

int16_t IC_InitType(int32_t icdev, int32_t type) {
    const std::uint8_t code = Low8(type);
    Selection& sel = CurrentSelection();
    if (code == kType24C) sel.mode_24c64 = 0;
    if (code == kType24C64) sel.mode_24c64 = 1;
    const std::uint8_t reader = ReaderCodeFor(code);
    if (reader == kReaderNone) {
        sel.card_type = code;
        sel.reader_code = kReaderNone;
        return kOk;  // nothing sent: the last-error register stays as it was
    }
    Response r;
    const std::array<std::uint8_t, 1> data{reader};
    const std::int32_t st = EchoStatus(Exchange(icdev, kSelectCommand, data, r), r, kSelectCommand);
    if (st != kOk) return Finish(st);
    // A status byte of 0 returned as the result would read as success with
    // nothing recorded: it is taken as success.
    const std::uint8_t status = r.Data()[0];
    if (r.Len() == 1 && status != 0x90 && status != kOk) return Finish(status);
    sel.card_type = code;
    sel.reader_code = reader;
    return Finish(kOk);
}
