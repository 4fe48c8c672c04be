// SPDX-License-Identifier: MIT
#include "pcsc/memory_apdu.h"

#include <algorithm>
#include <array>

#include "pcsc/driver_log.h"
#include "pcsc/memory_commands.h"
#include "vexa.h"

namespace ifd {

namespace {

struct Entry {
    std::uint8_t ins;
    MemoryCommand run;
};

constexpr std::array kCommands{
    Entry{0xA4, SelectCardType},     Entry{0xB0, ReadMemory},
    Entry{0xD0, WriteMemory},        Entry{0x20, PresentCode},
    Entry{0xD2, ChangeCode},         Entry{0xB1, ReadErrorCounter},
    Entry{0xB2, ReadProtectionBits}, Entry{0xD1, WriteWithProtection},
};

constexpr std::uint8_t kReadInstruction = 0xB0;
constexpr std::size_t kStatusWordLength = 2;

}  // namespace

Reply FromLibraryStatus(std::int32_t status) {
    Log(PCSC_LOG_ERROR, "library call failed with status %d", status);
    if (status == VEXA_ERR_WRITE_MISMATCH) return Reply::Status(sw::kMemoryFailure);
    if (status == VEXA_ERR_NOT_SUPPORTED) return Reply::Status(sw::kFunctionNotSupported);
    if (status < 0) return Reply::Unreached();
    return Reply::Status(sw::kExecutionError);
}

std::optional<Reply> OutsideCard(int size, int address, int length) {
    if (address >= size) return Reply::Status(sw::kAddressOutsideCard);
    if (address + length > size) return Reply::Status(sw::kPastCardEnd);
    return std::nullopt;
}

std::size_t AnswerRoom(std::span<const std::uint8_t> bytes) {
    const auto apdu = ParseCommandApdu(bytes);
    if (!apdu || apdu->cla != kPseudoClass || apdu->ins != kReadInstruction || !apdu->le)
        return kStatusWordLength;
    return kStatusWordLength + static_cast<std::size_t>(*apdu->le);
}

Reply ExecuteMemoryApdu(std::int32_t icdev, MemoryCard& card, std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return Reply::Status(sw::kWrongLength);
    if (bytes[0] != kPseudoClass) return Reply::Status(sw::kUnknownClass);
    const auto apdu = ParseCommandApdu(bytes);
    if (!apdu) return Reply::Status(sw::kWrongLength);
    const auto* it = std::find_if(kCommands.begin(), kCommands.end(),
                                  [&](const Entry& e) { return e.ins == apdu->ins; });
    if (it == kCommands.end()) return Reply::Status(sw::kUnknownInstruction);
    return it->run(icdev, card, *apdu);
}

}  // namespace ifd
