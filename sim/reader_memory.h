// SPDX-License-Identifier: MIT
// The reader's own 2048-byte EEPROM, read and written with the 24Cxx commands
// 0xB0 (address low, address high, count) and 0xB1 (the same, then the data).
#pragma once

#include <array>
#include <cstdint>

#include "sim/card.h"

namespace sim {

class ReaderMemory : public Card {
  public:
    static constexpr std::size_t kSize = 2048;

    ReaderMemory() { bytes_.fill(0xFF); }  // erased EEPROM
    Reply Handle(const Command& cmd) override;
    std::array<std::uint8_t, kSize>& bytes() { return bytes_; }

  private:
    std::array<std::uint8_t, kSize> bytes_;
};

}  // namespace sim
