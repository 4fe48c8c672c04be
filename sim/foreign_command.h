// SPDX-License-Identifier: MIT
// How the reader answers a command that the inserted card cannot carry out:
// it talks the command's protocol to the chip and gets nothing sensible back.
#pragma once

#include <cstdint>

#include "sim/card.h"

namespace sim {

inline Reply RefuseForeign(std::uint8_t code) {
    switch (code) {
        case 0xA3:  // CPU reset and APDU: a memory chip sends no answer to reset
        case 0xA4:
        case 0xA8:
        case 0xA9:
            return Refuse(kWordNoAnswer);
        default:
            return Refuse(kWordCannotRead);
    }
}

}  // namespace sim
