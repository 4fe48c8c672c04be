// SPDX-License-Identifier: MIT
// Serial EEPROM cards of the 24Cxx family, and the reader firmware's I2C side
// for them.
//
// The reader turns each command into bus transactions: a device address
// 1010 b2 b1 b0 whose block bits come from the address high byte, then the
// word address, then data. 0xB0/0xB1 send one word-address byte (the address
// low byte), 0xB2/0xB3 two (high byte first) with block bits 0. The chip
// decides what the bytes mean:
//  - 24C01A .. 24C16 take one word-address byte; the block bits select a
//    256-byte block, and a block the chip does not have is not acknowledged
//    (the reader answers 61D8). The 24C01A has a 7-bit word address, so N and
//    N + 128 are the same byte. Given a two-byte address, they take the high
//    byte as their word address and the low byte as the first data byte.
//  - 24C64 takes two word-address bytes (the top three bits ignored). Given
//    only one, a read starts wherever its address counter stands, and a
//    write takes its first data byte as the address low byte and writes the
//    rest there; the chip acknowledges, so the reader reports success.
// Writes are split by the reader at the chip's write pages, so a long write
// lands where it was sent; bytes beyond a page within one bus write wrap to the
// page start, as on the chip. Sequential reads roll over at the end of memory.
// Block bits are the low three bits of the address high byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "sim/card.h"

namespace sim {

struct Eeprom24CChip {
    const char* name;
    std::size_t size;        // bytes
    std::size_t page;        // write page in bytes
    std::size_t blocks;      // 256-byte blocks acknowledged (24C01A: 1, 24C64: 1)
    std::size_t word_bytes;  // word-address bytes the chip expects
};

inline constexpr Eeprom24CChip k24C01{"24C01A", 128, 8, 1, 1};
inline constexpr Eeprom24CChip k24C02{"24C02", 256, 8, 1, 1};
inline constexpr Eeprom24CChip k24C04{"24C04", 512, 16, 2, 1};
inline constexpr Eeprom24CChip k24C08{"24C08", 1024, 16, 4, 1};
inline constexpr Eeprom24CChip k24C16{"24C16", 2048, 16, 8, 1};
inline constexpr Eeprom24CChip k24C64{"24C64", 8192, 32, 1, 2};
// A 24C02 that does not decode the block bits: it acknowledges every block,
// and each of them is the same 256 bytes.
inline constexpr Eeprom24CChip k24C02Mirrored{"24C02", 256, 8, 8, 1};

class Eeprom24CCard : public Card {
  public:
    // Starts with a recognisable image: the chip name, then a byte pattern
    // that differs from block to block.
    explicit Eeprom24CCard(const Eeprom24CChip& chip);

    Reply Handle(const Command& cmd) override;
    void PowerDown() override { counter_ = 0; }
    std::string Save() const override;
    bool Load(const std::string& state) override;

    const Eeprom24CChip& chip() const { return chip_; }
    std::span<std::uint8_t> memory() { return memory_; }
    std::span<const std::uint8_t> memory() const { return memory_; }

  private:
    Reply Read(const Command& cmd);
    Reply Write(const Command& cmd);

    // The chip's side of the bus.
    bool Acknowledges(std::uint8_t block) const { return block < chip_.blocks; }
    std::size_t WordAddress(std::uint8_t block, std::span<const std::uint8_t> address) const;
    void SetAddress(std::uint8_t block, std::span<const std::uint8_t> bytes);
    void BusWrite(std::uint8_t block, std::span<const std::uint8_t> bytes);
    std::vector<std::uint8_t> BusRead(std::size_t count);

    Eeprom24CChip chip_;
    std::vector<std::uint8_t> memory_;
    std::size_t counter_ = 0;  // the chip's address counter
};

}  // namespace sim
