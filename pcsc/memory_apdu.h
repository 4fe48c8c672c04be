// SPDX-License-Identifier: MIT
// Memory cards through class-FF pseudo-APDUs: each command is mapped onto the
// library's operations for the card's family and answered with a status word
// as a card would give it.
#pragma once

#include <cstdint>
#include <span>

#include "pcsc/memory_card.h"
#include "pcsc/status_words.h"

namespace ifd {

constexpr std::uint8_t kPseudoClass = 0xFF;

// Leaves the library with the card's family selected, whatever the command.
// The least room an answer to `bytes` needs: the status word, and for a read
// the Le bytes asked for too.
std::size_t AnswerRoom(std::span<const std::uint8_t> bytes);

Reply ExecuteMemoryApdu(std::int32_t icdev, MemoryCard& card, std::span<const std::uint8_t> apdu);

}  // namespace ifd
