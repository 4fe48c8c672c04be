// SPDX-License-Identifier: MIT
// Selecting the card type, reading and writing memory.
#include "pcsc/memory_commands.h"
#include "vexa.h"

namespace ifd {

Reply SelectCardType(std::int32_t icdev, MemoryCard& card, const CommandApdu& apdu) {
    if (apdu.P1P2() != 0) return Reply::Status(sw::kAddressOutsideCard);
    if (apdu.data.size() != 1 || apdu.le) return Reply::Status(sw::kWrongLength);
    const auto family = FamilyOfTypeCode(apdu.data[0]);
    if (!family) return Reply::Status(sw::kWrongData);
    // The card keeps what is known of it when its own family is selected
    // again; the caller now vouches for its addressing.
    if (*family == card.family) {
        const std::int32_t st = IC_InitType(icdev, apdu.data[0]);
        if (st == 0) card.addressing_known = true;
        return Done(st);
    }
    MemoryCard selected;
    const std::int32_t st = SelectFamily(icdev, *family, selected);
    if (st != 0) {
        // The reader keeps speaking the card's family.
        IC_InitType(icdev, TraitsOf(card.family).type_code);
        return FromLibraryStatus(st);
    }
    card = selected;
    return Reply::Status(sw::kOk);
}

Reply ReadMemory(std::int32_t icdev, MemoryCard& card, const CommandApdu& apdu) {
    if (!AsksForData(apdu)) return Reply::Status(sw::kWrongLength);
    const int length = *apdu.le;
    if (auto outside = OutsideCard(card.size, apdu.P1P2(), length)) return *outside;
    Bytes data(length);
    const std::int32_t st = IC_Read(icdev, apdu.P1P2(), length, data.data());
    return st == 0 ? Reply::Data(std::move(data)) : FromLibraryStatus(st);
}

Reply WriteMemory(std::int32_t icdev, MemoryCard& card, const CommandApdu& apdu) {
    if (!CarriesData(apdu)) return Reply::Status(sw::kWrongLength);
    const int length = static_cast<int>(apdu.data.size());
    if (auto outside = OutsideCard(card.size, apdu.P1P2(), length)) return *outside;
    if (WriteLocked(card)) return Reply::Status(sw::kSecurityNotSatisfied);
    return Done(IC_Write(icdev, apdu.P1P2(), length, apdu.data.data()));
}

}  // namespace ifd
