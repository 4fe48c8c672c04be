// Puts the library back to how a fresh process sees it, between tests.
#pragma once

#include "vexa/link/library_state.h"

namespace sim_test {

inline void ResetLibrary() {
    vexa::ResetLibraryState();
}

}  // namespace sim_test
