// SPDX-License-Identifier: MIT
// IC_Status: whether a card is in the slot, asked after selecting the card
// type again.
#include "vexa.h"
#include "vexa/link/exchange.h"
#include "vexa/link/selection.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

constexpr std::uint8_t kStatus = 0xA2;
constexpr std::uint8_t kCardPresent = 0x90;
constexpr std::uint8_t kSlotEmpty = 0x60;

std::int32_t QueryStatus(std::int32_t icdev) {
    Response r;
    const std::int32_t st = EchoStatus(Exchange(icdev, kStatus, {}, r), r, kStatus);
    if (st != kOk) return st;
    if (r.Len() == 0) return kLengthError;
    switch (r.Data()[0]) {
        case kCardPresent:
            return kOk;
        case kSlotEmpty:
            return kNoCard;
        default:
            return r.Data()[0];
    }
}

}  // namespace

}  // namespace vexa

using namespace vexa;

int16_t IC_Status(int32_t icdev) {
    // Re-select first: a replugged reader, or another program, may have left
    // the slot on a different card protocol.
    const int16_t selected = IC_InitType(icdev, CurrentSelection().card_type);
    if (selected != kOk) return selected;  // IC_InitType stored it already
    return Finish(QueryStatus(icdev));
}
