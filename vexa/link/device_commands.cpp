// SPDX-License-Identifier: MIT
// The reader's own commands: power-down and version.
#include "vexa.h"
#include "vexa/link/exchange.h"
#include "vexa/link/hex_text.h"
#include "vexa/link/selection.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

constexpr std::uint8_t kVersion = 0xA1;
constexpr std::uint8_t kPowerDown = 0xA6;
constexpr std::uint8_t kPowerDownModule = 0xAA;  // card types 13 to 15

}  // namespace

}  // namespace vexa

using namespace vexa;

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
