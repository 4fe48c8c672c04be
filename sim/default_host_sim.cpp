// SPDX-License-Identifier: MIT
// The simulator build's host: the machine VEXA_SIM_* describe (environment.h),
// set up on first use.
#include <cstdlib>
#include <iostream>

#include "sim/environment.h"
#include "vexa/link/hid_host.h"

namespace vexa {

namespace {
struct EnvironmentHost : sim::SimHost {
    EnvironmentHost() {
        const auto env = [](const char* name) -> const char* { return std::getenv(name); };
        sim::BuildMachine(*this, sim::ReadSettings(env), std::cerr);
    }
};
}  // namespace

HidHost& DefaultHidHost() {
    static EnvironmentHost host;
    return host;
}

}  // namespace vexa
