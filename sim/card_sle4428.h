// SPDX-License-Identifier: MIT
// SLE4428 (and SLE4418) protected-memory card, spoken to by the reader under
// reader card code 0x12 with commands 0xBB to 0xBF (two address bytes, low
// first).
//
// The chip: 1024 bytes, each with its own protection flag (1 = writable),
// which can only ever be cleared. The error counter is byte 1021 (each set bit
// one attempt left, 8 at most) and the code bytes 1022 and 1023; the card
// manages the counter itself, so writes to 1021 are ignored. Until the right
// code has been presented (and again after a power-down), writes are ignored,
// and so are writes to protected bytes; the reader echoes success either way.
// The code reads as 00 00 until verified.
//
// Verification (0xBD) follows the SLE4442 rules with an 8-bit counter
// (FF -> 7F -> ... -> 00): a wrong code is refused with 0x0101, a card with no
// attempt left with 0x61D8. 0xBE answers the data bytes, then one flag byte
// per byte (1 writable, 0 protected); 0xBF writes each byte and protects it.
// Addresses past 1023 read as 0xFF with flag 0xFF. See sle_common.h for
// commands of other families.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "sim/card.h"
#include "sim/sle_common.h"

namespace sim {

struct Sle4428Memory {
    std::array<std::uint8_t, 1024> main{};
    std::array<std::uint8_t, 1024> writable{};  // 1: the byte takes writes
};

class Sle4428Card : public Card {
  public:
    static constexpr std::size_t kCounterAddress = 1021;
    static constexpr std::size_t kCodeAddress = 1022;

    // A fresh card: factory bytes 0..7 (byte 7 = 0x13) and 21..26, protected;
    // counter FF, code FF FF.
    Sle4428Card();

    Reply Handle(const Command& cmd) override;
    void PowerDown() override { verified_ = false; }
    std::string Save() const override;
    bool Load(const std::string& state) override;

    bool verified() const { return verified_; }

    Sle4428Memory memory;

  private:
    Reply Read(std::uint8_t command, std::span<const std::uint8_t> data, bool with_flags) const;
    Reply Write(std::uint8_t command, std::span<const std::uint8_t> data, bool protect);
    Reply Verify(std::span<const std::uint8_t> data);
    std::uint8_t Visible(std::size_t address) const;
    void Store(std::size_t address, std::uint8_t value, bool protect);

    bool verified_ = false;
};

}  // namespace sim
