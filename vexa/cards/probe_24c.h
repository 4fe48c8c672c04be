// SPDX-License-Identifier: MIT
// Finding the size of a 24Cxx card by pattern writes that are undone.
#pragma once

#include <cstdint>

namespace vexa {

// Size codes: 1 (24C01), 2, 4, 8, 16, 64 (24C64) with the last-error register
// at 0, or a status. Leaves card type 64 or 192 selected.
std::int32_t Probe_24C(std::int32_t icdev);

}  // namespace vexa
