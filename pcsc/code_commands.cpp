// SPDX-License-Identifier: MIT
// The SLE cards' code: presenting it, changing it, and their security memory
// with the error counter.
#include "pcsc/memory_commands.h"
#include "vexa.h"

namespace ifd {

namespace {

std::int32_t CheckCode(std::int32_t icdev, const MemoryCard& card, const std::uint8_t* code) {
    return card.family == Family::kSle4442 ? IC_CheckPass_SLE4442(icdev, code)
                                           : IC_CheckPass_SLE4428(icdev, code);
}

// Both code commands take exactly the card's code and nothing else.
std::optional<Reply> BadCodeCommand(const MemoryCard& card, const CommandApdu& apdu, int p1p2) {
    if (!card.HasCode()) return Reply::Status(sw::kFunctionNotSupported);
    if (apdu.P1P2() != p1p2) return Reply::Status(sw::kAddressOutsideCard);
    if (!CarriesData(apdu) ||
        static_cast<int>(apdu.data.size()) != TraitsOf(card.family).code_length)
        return Reply::Status(sw::kWrongLength);
    return std::nullopt;
}

}  // namespace

Reply PresentCode(std::int32_t icdev, MemoryCard& card, const CommandApdu& apdu) {
    if (auto bad = BadCodeCommand(card, apdu, 0x0000)) return *bad;
    Bytes security;
    std::int32_t st = card.attempts ? 0 : ReadSecurityMemory(icdev, card, security);
    if (st != 0) return FromLibraryStatus(st);
    // A locked card takes no code any more: presenting one would only fail.
    if (*card.attempts == 0) return Reply::Status(sw::kCodeBlocked);
    st = CheckCode(icdev, card, apdu.data.data());
    card.verified = st == 0;
    if (st == 0) {
        card.attempts = TraitsOf(card.family).attempts;
        return Reply::Status(sw::kOk);
    }
    if (st < 0) return FromLibraryStatus(st);
    st = ReadSecurityMemory(icdev, card, security);
    if (st != 0) return FromLibraryStatus(st);
    return Reply::Status(static_cast<std::uint16_t>(sw::kWrongCodeBase + *card.attempts));
}

Reply ChangeCode(std::int32_t icdev, MemoryCard& card, const CommandApdu& apdu) {
    if (auto bad = BadCodeCommand(card, apdu, 0x0001)) return *bad;
    if (!card.verified) return Reply::Status(sw::kSecurityNotSatisfied);
    const std::uint8_t* code = apdu.data.data();
    return Done(card.family == Family::kSle4442 ? IC_ChangePass_SLE4442(icdev, code)
                                                : IC_ChangePass_SLE4428(icdev, code));
}

Reply ReadErrorCounter(std::int32_t icdev, MemoryCard& card, const CommandApdu& apdu) {
    if (!card.HasCode()) return Reply::Status(sw::kFunctionNotSupported);
    if (apdu.P1P2() != 0) return Reply::Status(sw::kAddressOutsideCard);
    if (!AsksForData(apdu)) return Reply::Status(sw::kWrongLength);
    const int length = SecurityMemoryLength(card);
    if (*apdu.le != kLeMax && *apdu.le != length)
        return Reply::Status(static_cast<std::uint16_t>(sw::kExactLengthBase + length));
    Bytes security;
    const std::int32_t st = ReadSecurityMemory(icdev, card, security);
    return st == 0 ? Reply::Data(std::move(security)) : FromLibraryStatus(st);
}

}  // namespace ifd
