// SPDX-License-Identifier: MIT
#include "vexa/link/hid_host.h"

#include "vexa/link/library_state.h"

namespace vexa {

HidHost& CurrentHidHost() {
    HidHost* installed = State().installed_host;
    return installed ? *installed : DefaultHidHost();
}

void InstallHidHost(HidHost* host) {
    State().installed_host = host;
}

}  // namespace vexa
