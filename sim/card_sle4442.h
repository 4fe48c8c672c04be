// SPDX-License-Identifier: MIT
// SLE4442 (and SLE4432) protected-memory card, spoken to by the reader under
// reader card code 0x11 with commands 0xB4 to 0xBA.
//
// The chip: 256 bytes of main memory; 32 protection bits, one per byte 0..31
// (1 = writable), which can only ever be cleared; security memory holding an
// error counter (bits 0..2) and the 3-byte code. Until the right code has been
// presented (and again after a power-down), writes are ignored; so are writes
// to protected bytes. The reader writes blind and echoes success either way:
// only a read-back shows what landed. The code reads as 00 00 00 until
// verified.
//
// Verification (0xB6): one counter bit is spent first (07 -> 03 -> 01 -> 00);
// the right code restores 07 and opens the card, a wrong one is refused with
// 0x0101; at 00 the card is locked and every code is refused with 0x61D8.
// 0xB8 writes the bytes and then burns the protection bit of each byte of
// 0..31 that now holds the given value (the chip compares before burning).
// Reads past address 255 return 0xFF. See sle_common.h for commands of other
// families.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "sim/card.h"
#include "sim/sle_common.h"

namespace sim {

struct Sle4442Memory {
    std::array<std::uint8_t, 256> main{};
    std::array<std::uint8_t, 4> protection{};  // bit k % 8 of byte k / 8: byte k writable
    // Error counter, then the code.
    std::array<std::uint8_t, 4> security{0x07, 0xFF, 0xFF, 0xFF};
};

class Sle4442Card : public Card {
  public:
    // A fresh card: factory image A2 13 10 91 FF FF 81 15 ..., bytes 0..7
    // protected, counter 07, code FF FF FF.
    Sle4442Card();

    Reply Handle(const Command& cmd) override;
    void PowerDown() override { verified_ = false; }
    std::string Save() const override;
    bool Load(const std::string& state) override;

    bool verified() const { return verified_; }
    bool Writable(std::size_t address) const;

    Sle4442Memory memory;

  private:
    Reply Read(std::span<const std::uint8_t> data) const;
    Reply Write(std::uint8_t command, std::span<const std::uint8_t> data, bool protect);
    Reply Verify(std::span<const std::uint8_t> data);
    Reply ReadProtection(std::span<const std::uint8_t> data) const;
    Reply ReadSecurity(std::span<const std::uint8_t> data) const;
    Reply ChangeCode(std::span<const std::uint8_t> data);
    void Store(std::size_t address, std::uint8_t value, bool protect);

    bool verified_ = false;
};

}  // namespace sim
