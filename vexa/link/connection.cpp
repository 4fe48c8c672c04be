// SPDX-License-Identifier: MIT
// Opening and closing the reader, and the message of the last status.
#include "vexa.h"
#include "vexa/link/build_config.h"
#include "vexa/link/device_table.h"
#include "vexa/link/messages.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

constexpr int kFirstUsbPort = 100;

void ClosePort(int port) {
    const Handle h = PortHandle(port);
    if (h != 0) CurrentHidHost().Close(h);
    SetPortHandle(port, 0);
}

int32_t OpenFull(int32_t port_arg) {
    const int port = Low16(port_arg);
    // Ports below 100 were serial ports, which this library does not drive;
    // 200 and up have no slot in the device table.
    if (port < kFirstUsbPort || port >= kPortCount) {
        SetLastError(kOpenFailed);
        return kOpenFailed;
    }
    ClosePort(port);
    const Handle h = CurrentHidHost().OpenReader();
    if (h == 0) {
        SetLastError(kOpenFailed);
        return kOpenFailed;
    }
    SetPortHandle(port, h);
    SetLastError(kOk);
    return port + kDeviceOffset;
}

// The reduced configuration has no device table: the handle is the number.
[[maybe_unused]] int32_t OpenReduced() {
    const Handle h = CurrentHidHost().OpenReader();
    const int32_t result = h == 0 ? kOpenFailed : static_cast<int32_t>(h);
    SetLastError(h == 0 ? kOpenFailed : kOk);
    return result;
}

int32_t OpenVariant(int32_t port_arg) {
    if constexpr (kReducedBuild) return Finish(kNotSupported);
    return OpenFull(port_arg);
}

}  // namespace

}  // namespace vexa

using namespace vexa;

int32_t IC_InitComm(int32_t port) {
    if constexpr (kReducedBuild) return OpenReduced();
    return OpenFull(port);
}

int32_t IC_InitComm_Baud(int32_t port, int32_t /*baud*/) { return OpenVariant(port); }

int32_t IC_InitComm_Q(int32_t port, int32_t /*unused*/) { return OpenVariant(port); }

int32_t IC_InitCommAdvanced(int32_t port) { return OpenVariant(port); }

int16_t IC_ExitComm(int32_t icdev) {
    if constexpr (kReducedBuild) {
        if (icdev != 0) CurrentHidHost().Close(icdev);
    } else {
        const int64_t port = int64_t{icdev} - kDeviceOffset;
        if (port >= 0 && port < kPortCount) ClosePort(static_cast<int>(port));
    }
    return Finish(kOk);
}

int16_t IC_GetLastError(char* text) {
    if (text != nullptr) MessageFor(LastError(), text);
    return 0;
}
