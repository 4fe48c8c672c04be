// SPDX-License-Identifier: MIT
// Entry points of card families and reader features this reader does not
// offer. They stay exported so that programs written for the whole API load;
// each answers -21 without looking at its arguments or touching the reader.
#pragma once

#include "vexa.h"
#include "vexa/link/status.h"

namespace vexa {

inline std::int16_t NotSupported() {
    return Finish(kNotSupported);
}

}  // namespace vexa

// Defines the exported function `name` with the (unnamed) parameter list of
// its declaration in vexa.h.
#define VEXA_NOT_SUPPORTED(name, params) \
    int16_t name params {                \
        return ::vexa::NotSupported();   \
    }
