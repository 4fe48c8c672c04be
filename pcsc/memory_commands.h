// SPDX-License-Identifier: MIT
// The pseudo-APDU commands, one handler each, and the checks they share.
#pragma once

#include <cstdint>
#include <optional>

#include "pcsc/command_apdu.h"
#include "pcsc/memory_card.h"
#include "pcsc/status_words.h"

namespace ifd {

using MemoryCommand = Reply (*)(std::int32_t icdev, MemoryCard& card, const CommandApdu& apdu);

Reply SelectCardType(std::int32_t icdev, MemoryCard& card, const CommandApdu& apdu);
Reply ReadMemory(std::int32_t icdev, MemoryCard& card, const CommandApdu& apdu);
Reply WriteMemory(std::int32_t icdev, MemoryCard& card, const CommandApdu& apdu);
Reply PresentCode(std::int32_t icdev, MemoryCard& card, const CommandApdu& apdu);
Reply ChangeCode(std::int32_t icdev, MemoryCard& card, const CommandApdu& apdu);
Reply ReadErrorCounter(std::int32_t icdev, MemoryCard& card, const CommandApdu& apdu);
Reply ReadProtectionBits(std::int32_t icdev, MemoryCard& card, const CommandApdu& apdu);
Reply WriteWithProtection(std::int32_t icdev, MemoryCard& card, const CommandApdu& apdu);

// Commands that take data and expect none back, and commands that expect
// data back and take none.
inline bool CarriesData(const CommandApdu& apdu) {
    return !apdu.data.empty() && !apdu.le;
}
inline bool AsksForData(const CommandApdu& apdu) {
    return apdu.data.empty() && apdu.le;
}

// 6B 00 when the first address is not on the card, 6A 82 when the range runs
// past its end.
std::optional<Reply> OutsideCard(int size, int address, int length);

// A write to an SLE card before its code was presented would be ignored by
// the card; one to a 24Cxx of unknown addressing could land elsewhere.
inline bool WriteLocked(const MemoryCard& card) {
    return (card.HasCode() && !card.verified) || !card.addressing_known;
}

inline Reply Done(std::int32_t status) {
    return status == 0 ? Reply::Status(sw::kOk) : FromLibraryStatus(status);
}

}  // namespace ifd
