// SPDX-License-Identifier: MIT
// A microprocessor card or security access module in the slot. It answers a
// reset (0xA3 for the CPU card, 0xA8 for a module card) with its ATR, then
// APDUs (0xA4 / 0xA9) under the protocol that ATR offers first:
//  - T=0: the reader hands on CLA INS P1 P2 P3 data and returns the response
//    data with SW1 SW2;
//  - T=1: the reader hands on an I-block NAD PCB LEN INF LRC and returns the
//    card's block. The card checks the LRC and that N(S) alternates 00/40 from
//    the reset, answering an R-block (PCB 8x/9x) otherwise, and numbers its
//    own I-blocks the same way. A response longer than `ifsd` bytes is sent
//    as a chained block (PCB bit 0x20) holding its first `ifsd` bytes; the
//    rest is dropped, since the library never asks for it.
// APDUs before a reset, or after a power-down, get no answer (61D4).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/card.h"
#include "sim/card_os.h"

namespace sim {

enum class CpuProtocol { kT0, kT1 };

struct CpuProfile {
    std::vector<std::uint8_t> atr;
    CpuProtocol protocol;
};

// 3B 6C 00 00 and 12 historical bytes: TB1, TC1, no TD1, so T=0 only.
CpuProfile CpuT0Profile();
// 3B 80 81 31 FE 45 8B: TD1 and TD2 offer T=1, TA3 IFSC 254, TB3 waiting
// times, TCK.
CpuProfile CpuT1Profile();

class CpuCard : public Card {
  public:
    explicit CpuCard(CpuProfile profile = CpuT0Profile());

    Reply Handle(const Command& cmd) override;
    void PowerDown() override;
    std::string Save() const override { return os_.Save(); }
    bool Load(const std::string& state) override { return os_.Load(state); }

    CardOs& os() { return os_; }
    std::size_t ifsd = 254;

  private:
    Reply Exchange(std::uint8_t code, std::span<const std::uint8_t> data);
    std::vector<std::uint8_t> ExchangeT1(std::span<const std::uint8_t> block);
    std::vector<std::uint8_t> Block(std::uint8_t pcb, std::span<const std::uint8_t> inf) const;
    std::vector<std::uint8_t> ReceiveReady(std::uint8_t error) const;

    CpuProfile profile_;
    CardOs os_;
    bool powered_ = false;
    std::uint8_t expected_ns_ = 0;  // N(S) of the next I-block from the reader
    std::uint8_t own_ns_ = 0;       // N(S) of the card's next I-block
};

}  // namespace sim
