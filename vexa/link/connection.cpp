// SPDX-License-Identifier: MIT
// Opening and closing the reader, and the message of the last status.
#include <cstring>

#include "vexa.h"
#include "vexa/link/build_config.h"
#include "vexa/link/cpu_state.h"
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
    ForgetCpuState(port + kDeviceOffset);
}

// Opens a reader through `open_reader`, which returns its handle or 0.
template <typename OpenReader>
int32_t OpenFull(int32_t port_arg, OpenReader open_reader) {
    const int port = Low16(port_arg);
    // Ports below 100 were serial ports, which this library does not drive;
    // 200 and up have no slot in the device table.
    if (port < kFirstUsbPort || port >= kPortCount) {
        SetLastError(kOpenFailed);
        return kOpenFailed;
    }
    ClosePort(port);
    const Handle h = open_reader();
    if (h == 0) {
        SetLastError(kOpenFailed);
        return kOpenFailed;
    }
    SetPortHandle(port, h);
    SetLastError(kOk);
    return port + kDeviceOffset;
}

// The reduced configuration has no device table: the handle is the number.
template <typename OpenReader>
int32_t OpenReduced(OpenReader open_reader) {
    const Handle h = open_reader();
    const int32_t result = h == 0 ? kOpenFailed : static_cast<int32_t>(h);
    // A handle the host hands out again starts without the CPU state of
    // the reader that had it before.
    if (h != 0) ForgetCpuState(result);
    SetLastError(h == 0 ? kOpenFailed : kOk);
    return result;
}

template <typename OpenReader>
int32_t Open(int32_t port_arg, OpenReader open_reader) {
    if constexpr (kReducedBuild) return OpenReduced(open_reader);
    return OpenFull(port_arg, open_reader);
}

Handle OpenFirstReader() {
    return CurrentHidHost().OpenReader();
}

int32_t OpenVariant(int32_t port_arg) {
    if constexpr (kReducedBuild) return Finish(kNotSupported);
    return OpenFull(port_arg, OpenFirstReader);
}

}  // namespace

}  // namespace vexa

using namespace vexa;

int32_t IC_InitComm(int32_t port) {
    return Open(port, OpenFirstReader);
}

int32_t IC_InitCommPath(int32_t port, const char* path) {
    // A path that cannot be a listed one is refused before any port is closed.
    if (path == nullptr || strnlen(path, VEXA_READER_PATH_SIZE) == VEXA_READER_PATH_SIZE) {
        SetLastError(kOpenFailed);
        return kOpenFailed;
    }
    return Open(port, [path] { return CurrentHidHost().OpenReaderAt(path); });
}

int32_t IC_InitComm_Baud(int32_t port, int32_t /*baud*/) {
    return OpenVariant(port);
}

int32_t IC_InitComm_Q(int32_t port, int32_t /*unused*/) {
    return OpenVariant(port);
}

int32_t IC_InitCommAdvanced(int32_t port) {
    return OpenVariant(port);
}

int16_t IC_ExitComm(int32_t icdev) {
    if constexpr (kReducedBuild) {
        if (icdev != 0) CurrentHidHost().Close(icdev);
        ForgetCpuState(icdev);
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
