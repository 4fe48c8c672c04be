// SPDX-License-Identifier: MIT
// The remaining-attempt counters are returned as the function result with 0 in
// the last-error register, so a caller tells a count from a failure by it.
#pragma once

#include <bit>
#include <cstdint>

#include "vexa/link/status.h"

namespace vexa {

inline std::int16_t AttemptCount(std::uint8_t counter_bits) {
    SetLastError(kOk);
    return static_cast<std::int16_t>(std::popcount(counter_bits));
}

}  // namespace vexa
