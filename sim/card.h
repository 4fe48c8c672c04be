// SPDX-License-Identifier: MIT
// A card in the simulated reader's slot. The reader firmware (reader.h)
// answers its own commands (version, status, select) and hands every other
// command to the inserted card, with the reader card code last selected.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace sim {

struct Command {
    std::uint8_t reader_code;  // last code selected with 0xA5 (0 if none)
    std::uint8_t code;         // command code, 0xA3 ... 0xBF
    std::span<const std::uint8_t> data;
};

// What the reader sends back: an echo of the command code with data, or a
// refusal whose data are the two bytes of an answer word.
struct Reply {
    std::uint8_t code = 0;
    std::vector<std::uint8_t> data;
};

constexpr std::uint8_t kRefusalCode = 0x00;

inline Reply Echo(std::uint8_t code, std::vector<std::uint8_t> data = {}) {
    return {code, std::move(data)};
}

inline Reply Refuse(std::uint16_t word) {
    return {kRefusalCode,
            {static_cast<std::uint8_t>(word >> 8), static_cast<std::uint8_t>(word & 0xFF)}};
}

// Answer words the simulated reader uses (the library passes them on).
constexpr std::uint16_t kWordCommandError = 0x6109;  // unknown or malformed command
constexpr std::uint16_t kWordCannotRead = 0x61D8;    // no card, or the card does not answer
constexpr std::uint16_t kWordNoAnswer = 0x61D4;      // CPU card: time-out, nothing received

class Card {
  public:
    virtual ~Card() = default;
    virtual Reply Handle(const Command& cmd) = 0;
    // Contacts powered off (0xA6 / 0xAA, or the card pulled): volatile state
    // such as a presented code is lost.
    virtual void PowerDown() {}
    // Persistent state as text, for the simulator build's state file; empty
    // when the card keeps nothing.
    virtual std::string Save() const { return {}; }
    virtual bool Load(const std::string& /*state*/) { return false; }
};

}  // namespace sim
