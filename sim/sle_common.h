// SPDX-License-Identifier: MIT
// What the SLE4442 and SLE4428 models share: the reader's answer words for
// code verification, the layout of their read and write commands, the error
// counter rule, and how the reader fares when it speaks another card family's
// protocol to them.
//
// Answer words (the library passes them on as the status):
//   0x0101 "general error"        a wrong code was presented; one attempt spent
//   0x61D8 "card cannot be read"  the error counter is exhausted: the card is
//                                 locked and takes no verification any more
//   0x6109 "command error"        a malformed command
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "sim/card.h"

namespace sim {

constexpr std::uint16_t kWordWrongCode = 0x0101;
constexpr std::uint16_t kWordCardLocked = kWordCannotRead;

// Bytes a read returns where the card does not drive the data line.
constexpr std::uint8_t kFloatingLine = 0xFF;

// Address, count and (for writes) count data bytes, as the read and write
// commands carry them; addresses have one byte (SLE4442) or two, low first
// (SLE4428).
struct Transfer {
    std::size_t address = 0;
    std::size_t count = 0;
    std::span<const std::uint8_t> bytes;
};
std::optional<Transfer> ParseRead(std::span<const std::uint8_t> data, std::size_t address_bytes);
std::optional<Transfer> ParseWrite(std::span<const std::uint8_t> data, std::size_t address_bytes);

// Parses a write command and hands each byte to store(address, value). The
// reader writes blind: it echoes the command whatever the card made of it.
template <typename Store>
Reply WriteEach(std::uint8_t command, std::span<const std::uint8_t> data, std::size_t address_bytes,
                Store store) {
    const auto t = ParseWrite(data, address_bytes);
    if (!t) return Refuse(kWordCommandError);
    for (std::size_t i = 0; i < t->count; ++i) store(t->address + i, t->bytes[i]);
    return Echo(command);
}

// Presents a code. The card spends one attempt (the highest set bit of the
// counter within `mask`) before comparing and restores all of them on a match.
// An exhausted counter refuses any code.
Reply PresentCode(std::uint8_t command, std::uint8_t& counter, std::uint8_t mask,
                  std::span<const std::uint8_t> stored, std::span<const std::uint8_t> presented,
                  bool& verified);

// The answer to a command that is not the card's own, or not under the reader
// card code that selects its protocol. A read of another family's
// synchronous protocol (SLE4442, SLE4428, 45DB041), sent with that family
// selected, clocks bytes off the floating data line: the reader cannot tell
// and echoes 0xFF bytes. Everything else fails as in foreign_command.h (CPU
// commands time out, the rest 0x61D8).
Reply ForeignCommand(const Command& cmd);

}  // namespace sim
