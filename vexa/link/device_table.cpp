// SPDX-License-Identifier: MIT
#include "vexa/link/device_table.h"

#include "vexa/link/build_config.h"
#include "vexa/link/library_state.h"

namespace vexa {

namespace {
bool ValidPort(std::int64_t port) {
    return port >= 0 && port < kPortCount;
}
}  // namespace

Handle HandleOf(std::int32_t icdev) {
    if constexpr (kReducedBuild) return icdev;
    const std::int64_t port = std::int64_t{icdev} - kDeviceOffset;
    return ValidPort(port) ? State().ports[port] : 0;
}

Handle PortHandle(int port) {
    return ValidPort(port) ? State().ports[port] : 0;
}

void SetPortHandle(int port, Handle h) {
    if (ValidPort(port)) State().ports[port] = h;
}

}  // namespace vexa
