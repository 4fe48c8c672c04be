#include "device_table.h"

#include <array>

#include "build_config.h"

namespace vexa {

namespace {
std::array<Handle, kPortCount> g_table{};

bool ValidPort(std::int64_t port) { return port >= 0 && port < kPortCount; }
}  // namespace

Handle HandleOf(std::int32_t icdev) {
    if constexpr (kReducedBuild) return icdev;
    const std::int64_t port = std::int64_t{icdev} - kDeviceOffset;
    return ValidPort(port) ? g_table[port] : 0;
}

Handle PortHandle(int port) { return ValidPort(port) ? g_table[port] : 0; }

void SetPortHandle(int port, Handle h) {
    if (ValidPort(port)) g_table[port] = h;
}

}  // namespace vexa
