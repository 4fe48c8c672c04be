// Puts the library-global state back to its values at load, as a fresh
// process would see it: every port closed, the default host back, selection,
// CPU channel and last error reset. Whoever adds library-global state resets
// it here too.
#pragma once

#include "vexa.h"
#include "vexa/link/selection.h"
#include "vexa/link/cpu_state.h"
#include "vexa/link/device_table.h"
#include "vexa/link/hid_host.h"
#include "vexa/link/status.h"

namespace sim_test {

inline void ResetLibrary() {
    for (int port = 0; port < vexa::kPortCount; ++port) IC_ExitComm(port + vexa::kDeviceOffset);
    vexa::InstallHidHost(nullptr);
    vexa::CurrentSelection() = vexa::Selection{};
    vexa::CurrentCpuState() = vexa::CpuState{};
    vexa::SetLastError(vexa::kOk);
}

}  // namespace sim_test
