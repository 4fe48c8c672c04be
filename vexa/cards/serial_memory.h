// SPDX-License-Identifier: MIT
// The 24C64 commands with two-byte word addresses. They are not exported: the
// memory entry points reach a 24C64 through them.
#pragma once

#include <cstdint>

#include "vexa.h"

namespace vexa {

// As Read_24C and Write_24C, with commands 0xB2 and 0xB3, and called the
// same way, as they take the same places.
std::int16_t VEXA_CALL Read_24C64(std::int32_t icdev, std::int32_t address, std::int32_t count,
                                  unsigned char* out);
std::int16_t VEXA_CALL Write_24C64(std::int32_t icdev, std::int32_t address, std::int32_t count,
                                   const unsigned char* data);

}  // namespace vexa
