// The reader's own commands: card presence, power-down and version.
#include "../cards/selection.h"
#include "../include/vexa.h"
#include "exchange.h"
#include "hex_text.h"
#include "status.h"

namespace vexa {

namespace {

constexpr std::uint8_t kVersion = 0xA1;
constexpr std::uint8_t kStatus = 0xA2;
constexpr std::uint8_t kPowerDown = 0xA6;
constexpr std::uint8_t kPowerDownModule = 0xAA;  // card types 13 to 15

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

int16_t IC_Down(int32_t icdev) {
    const std::uint8_t type = CurrentSelection().card_type;
    const std::uint8_t code = type >= 13 && type <= 15 ? kPowerDownModule : kPowerDown;
    Response r;
    return Finish(StatusByteStatus(Exchange(icdev, code, {}, r), r, code));
}

int16_t IC_ReadVer(int32_t icdev, char* version) {
    if (version == nullptr) return Finish(kLengthError);
    Response r;
    const std::int32_t st = EchoStatus(Exchange(icdev, kVersion, {}, r), r, kVersion);
    if (st != kOk) return Finish(st);
    BytesToHex(r.Data(), version, r.Len());
    version[2 * r.Len()] = '\0';
    return Finish(kOk);
}
