// SPDX-License-Identifier: MIT
// Every value the library keeps between calls. Callers built for this API
// expect them process-wide, shared by all threads (and, but for the CPU
// channel, by all device numbers), so they live in one instance; the
// accessors of each layer hand out its part.
#pragma once

#include <array>
#include <cstdint>

#include "vexa/link/cpu_state.h"
#include "vexa/link/device_table.h"
#include "vexa/link/hid_host.h"
#include "vexa/link/selection.h"
#include "vexa/link/status.h"

namespace vexa {

struct LibraryState {
    std::int32_t last_error = kOk;
    std::array<Handle, kPortCount> ports{};
    HidHost* installed_host = nullptr;  // nullptr: DefaultHidHost()
    Selection selection;
    CpuChannels cpu;
};

LibraryState& State();

// Brings the library back to how a freshly loaded one starts: every open
// reader closed through the host that opened it, then every value at its
// initial setting (which also puts the default host back).
void ResetLibraryState();

}  // namespace vexa
