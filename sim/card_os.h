// SPDX-License-Identifier: MIT
// The operating system of the simulated CPU card: a small ISO 7816-4
// responder with a master file, one transparent EF guarded by a PIN, and a
// random number source.
//
//   SELECT        00 A4 00 xx Lc FID       3F00 (MF) or 0015 (the EF); 6A 82 else
//   GET CHALLENGE 00 84 00 00 Le           8 bytes; another Le gives 6C 08
//   READ BINARY   00 B0 off off Le         from the selected EF; 6C xx when Le
//                                          runs past its end, 6B 00 past it
//   UPDATE BINARY 00 D6 off off Lc data    needs the PIN (69 82 before)
//   VERIFY        00 20 00 00 Lc PIN       63 Cx with x tries left, 69 83 once
//                                          blocked; Lc 0 asks for the tries
// Unknown INS 6D 00, CLA other than 00 6E 00, inconsistent lengths 67 00.
//
// Commands arrive as the reader hands them on, header and P3 then data: P3 is
// Lc for the commands that carry data and Le for the others.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace sim {

class CardOs {
  public:
    static constexpr std::uint16_t kMf = 0x3F00;
    static constexpr std::uint16_t kEf = 0x0015;
    static constexpr std::size_t kEfSize = 32;
    static constexpr std::uint8_t kPinTries = 3;
    static constexpr std::array<std::uint8_t, 4> kDefaultPin{0x31, 0x32, 0x33, 0x34};  // "1234"

    CardOs();

    // Response data followed by SW1 SW2.
    std::vector<std::uint8_t> Respond(std::span<const std::uint8_t> command);
    // A reset or power-down: nothing selected, PIN no longer verified.
    void Restart();

    std::span<std::uint8_t> ef() { return std::span(eeprom_).subspan(kEfAt, kEfSize); }
    std::uint8_t tries_left() const { return eeprom_[kTriesAt]; }

    // The card's EEPROM (PIN, its tries and the EF) as state-file text.
    std::string Save() const;
    bool Load(const std::string& state);

  private:
    static constexpr std::size_t kTriesAt = 0;
    static constexpr std::size_t kPinAt = 1;
    static constexpr std::size_t kEfAt = 16;

    using Answer = std::vector<std::uint8_t>;
    Answer Select(std::uint8_t p1, std::span<const std::uint8_t> data);
    Answer GetChallenge(std::uint8_t le);
    Answer ReadBinary(std::size_t offset, std::uint8_t le);
    Answer UpdateBinary(std::size_t offset, std::span<const std::uint8_t> data);
    Answer Verify(std::span<const std::uint8_t> pin);

    std::array<std::uint8_t, kEfAt + kEfSize> eeprom_{};
    bool ef_selected_ = false;
    bool pin_verified_ = false;
    std::uint32_t random_ = 0x2545F491;
};

}  // namespace sim
