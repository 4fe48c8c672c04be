// SPDX-License-Identifier: MIT
// Protection bits of the SLE cards: reading them as a bitmap (bit k of byte
// k / 8 for address first + k, least significant bit first, 1 = writable) and
// writing bytes with protection.
#include <algorithm>
#include <array>

#include "pcsc/memory_commands.h"
#include "vexa.h"

namespace ifd {

namespace {

// The SLE4442 protects its first 32 bytes only.
constexpr int kSle4442Protectable = 32;
constexpr int kSle4442BitmapLength = kSle4442Protectable / 8;

Bytes Bitmap(std::span<const std::uint8_t> writable, std::uint8_t writable_value) {
    Bytes bits((writable.size() + 7) / 8, 0);
    for (std::size_t k = 0; k < writable.size(); ++k) {
        if (writable[k] == writable_value) bits[k / 8] |= static_cast<std::uint8_t>(1u << (k % 8));
    }
    return bits;
}

Reply Sle4442Bitmap(std::int32_t icdev, const CommandApdu& apdu) {
    if (apdu.P1P2() != 0) return Reply::Status(sw::kAddressOutsideCard);
    if (*apdu.le != kLeMax && *apdu.le != kSle4442BitmapLength)
        return Reply::Status(
            static_cast<std::uint16_t>(sw::kExactLengthBase + kSle4442BitmapLength));
    std::array<std::uint8_t, kSle4442Protectable> writable{};
    const std::int32_t st = ReadWithProtection_4442(icdev, 0, kSle4442Protectable, writable.data());
    return st == 0 ? Reply::Data(Bitmap(writable, 1)) : FromLibraryStatus(st);
}

// Le 00 asks for the bits of every address from P1P2 to the card's end.
Reply Sle4428Bitmap(std::int32_t icdev, const MemoryCard& card, const CommandApdu& apdu) {
    const int address = apdu.P1P2();
    const int count = *apdu.le == kLeMax ? std::max(card.size - address, 0) : 8 * *apdu.le;
    if (auto outside = OutsideCard(card.size, address, count)) return *outside;
    Bytes data_and_flags(2 * count);
    const std::int32_t st = IC_ReadWithProtection(icdev, address, count, data_and_flags.data());
    if (st != 0) return FromLibraryStatus(st);
    return Reply::Data(Bitmap(std::span(data_and_flags).subspan(count), '1'));
}

}  // namespace

Reply ReadProtectionBits(std::int32_t icdev, MemoryCard& card, const CommandApdu& apdu) {
    if (!card.HasCode()) return Reply::Status(sw::kFunctionNotSupported);
    if (!AsksForData(apdu)) return Reply::Status(sw::kWrongLength);
    return card.family == Family::kSle4442 ? Sle4442Bitmap(icdev, apdu)
                                           : Sle4428Bitmap(icdev, card, apdu);
}

Reply WriteWithProtection(std::int32_t icdev, MemoryCard& card, const CommandApdu& apdu) {
    if (!card.HasCode()) return Reply::Status(sw::kFunctionNotSupported);
    if (!CarriesData(apdu)) return Reply::Status(sw::kWrongLength);
    const bool sle4442 = card.family == Family::kSle4442;
    const int length = static_cast<int>(apdu.data.size());
    const int address = apdu.P1P2();
    if (auto outside = OutsideCard(card.size, address, length)) return *outside;
    if (sle4442 && address + length > kSle4442Protectable) return Reply::Status(sw::kPastCardEnd);
    if (WriteLocked(card)) return Reply::Status(sw::kSecurityNotSatisfied);
    const std::uint8_t* data = apdu.data.data();
    return Done(sle4442 ? IC_WriteProtection(icdev, address, length, data)
                        : IC_WriteWithProtection(icdev, address, length, data));
}

}  // namespace ifd
