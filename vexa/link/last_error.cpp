// SPDX-License-Identifier: MIT
#include "vexa/link/library_state.h"
#include "vexa/link/status.h"

namespace vexa {

std::int32_t LastError() {
    return State().last_error;
}

void SetLastError(std::int32_t status) {
    State().last_error = status;
}

std::int16_t Finish(std::int32_t status) {
    State().last_error = status;
    return static_cast<std::int16_t>(status);
}

}  // namespace vexa
