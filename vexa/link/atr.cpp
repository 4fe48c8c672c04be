// SPDX-License-Identifier: MIT
#include "vexa/link/atr.h"

#include <bit>

namespace vexa {

std::uint8_t ProtocolOfAtr(std::span<const std::uint8_t> atr) {
    constexpr std::size_t kT0 = 1;
    constexpr std::uint8_t kTd1Present = 0x80;
    constexpr std::uint8_t kTaTbTc = 0x70;
    if (atr.size() <= kT0 || (atr[kT0] & kTd1Present) == 0) return kProtocolT0;
    const std::size_t td1 = kT0 + 1 + std::popcount(static_cast<unsigned>(atr[kT0] & kTaTbTc));
    if (td1 >= atr.size()) return kProtocolT0;
    return (atr[td1] & 0x0F) == 1 ? kProtocolT1 : kProtocolT0;
}

}  // namespace vexa
