// SPDX-License-Identifier: MIT
#include "vexa/link/library_state.h"

namespace vexa {

LibraryState& State() {
    static LibraryState state;
    return state;
}

Selection& CurrentSelection() {
    return State().selection;
}

void ResetLibraryState() {
    for (int port = 0; port < kPortCount; ++port) {
        if (const Handle h = PortHandle(port)) CurrentHidHost().Close(h);
    }
    State() = LibraryState{};
}

}  // namespace vexa
