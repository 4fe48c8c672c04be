// SPDX-License-Identifier: MIT
#include "vexa/link/cpu_state.h"

#include "vexa/link/library_state.h"

namespace vexa {

namespace {
CpuChannels& Channels() {
    return State().cpu;
}
}  // namespace

CpuState CpuStateOf(std::int32_t icdev) {
    const CpuChannels& c = Channels();
    const auto own = c.others.find(icdev);
    return own == c.others.end() ? c.latest : own->second;
}

CpuState& OwnCpuState(std::int32_t icdev) {
    CpuChannels& c = Channels();
    if (c.latest_owner == icdev) return c.latest;
    const CpuState own = CpuStateOf(icdev);
    if (c.latest_owner) c.others[*c.latest_owner] = c.latest;
    c.others.erase(icdev);
    c.latest = own;
    c.latest_owner = icdev;
    return c.latest;
}

void ForgetCpuState(std::int32_t icdev) {
    CpuChannels& c = Channels();
    c.others.erase(icdev);
    // Its values stay the latest until another reader changes its own.
    if (c.latest_owner == icdev) c.latest_owner.reset();
}

CpuState& CurrentCpuState() {
    return Channels().latest;
}

}  // namespace vexa
