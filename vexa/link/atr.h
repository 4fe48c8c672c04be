// SPDX-License-Identifier: MIT
// What the library takes from a card's answer to reset.
#pragma once

#include <cstdint>
#include <span>

#include "vexa/link/cpu_state.h"

namespace vexa {

// kProtocolT1 when TD1 names T=1, kProtocolT0 otherwise. Later TD bytes, TCK
// and the historical bytes are not looked at; an ATR too short to hold the TD1
// that T0 announces counts as T=0.
std::uint8_t ProtocolOfAtr(std::span<const std::uint8_t> atr);

}  // namespace vexa
