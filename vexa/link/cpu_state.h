// SPDX-License-Identifier: MIT
// State of the CPU card channel: the protocol and T=1 sequence of each device
// number, shared by the CPU and module card types alike.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

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

// Each reader talks to its own card, so each device number keeps the state
// its own resets and blocks left. Programs written for one reader expect the
// state to outlive closing and reopening it, so a device number without any
// state of its own uses that of the reader whose state changed last.
struct CpuChannels {
    CpuState latest;  // of `latest_owner`, or of the last one closed
    std::optional<std::int32_t> latest_owner;
    std::map<std::int32_t, CpuState> others;  // every other device number with its own
};

// The state the device number works with now.
CpuState CpuStateOf(std::int32_t icdev);
// The device number's own state, to be changed; it becomes the latest.
CpuState& OwnCpuState(std::int32_t icdev);
// The device number was closed: it keeps no state of its own.
void ForgetCpuState(std::int32_t icdev);
// The state of the reader whose state changed last, used by a device number
// without any of its own.
CpuState& CurrentCpuState();

// The CPU card (type 12) and every other selected type, the module cards, are
// reset and addressed with their own command codes.
inline std::uint8_t CodeForSelectedType(std::uint8_t cpu_code, std::uint8_t module_code) {
    return CurrentSelection().card_type == kTypeCpu ? cpu_code : module_code;
}

}  // namespace vexa
