// SPDX-License-Identifier: MIT
// Library-global state of the CPU card channel, shared by every device number
// and by the CPU and module card types alike.
#pragma once

#include <cstdint>

#include "vexa.h"
#include "vexa/link/selection.h"

namespace vexa {

constexpr std::uint8_t kProtocolT0 = VEXA_PROTOCOL_T0;
constexpr std::uint8_t kProtocolT1 = VEXA_PROTOCOL_T1;

// PCB of a T=1 information block: bit 0x40 is the send sequence number N(S).
constexpr std::uint8_t kSequenceBit = 0x40;

struct CpuState {
    std::uint8_t protocol = kProtocolT0;  // set from the ATR or by IC_SetCpuPara
    std::uint8_t send_sequence = 0x00;    // PCB of our next T=1 I-block: 0x00 or 0x40
};

CpuState& CurrentCpuState();

// The CPU card (type 12) and every other selected type, the module cards, are
// reset and addressed with their own command codes.
inline std::uint8_t CodeForSelectedType(std::uint8_t cpu_code, std::uint8_t module_code) {
    return CurrentSelection().card_type == kTypeCpu ? cpu_code : module_code;
}

}  // namespace vexa
