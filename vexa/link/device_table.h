// SPDX-License-Identifier: MIT
// Open reader handles by port number. Device number = port + 80 in the full
// build; the reduced build hands out the host's handle itself.
#pragma once

#include <cstdint>

#include "vexa/link/hid_host.h"

namespace vexa {

constexpr int kPortCount = 200;
constexpr int kDeviceOffset = 80;

// The handle a device number stands for, 0 when nothing is open there
// (including any number outside the table).
Handle HandleOf(std::int32_t icdev);

Handle PortHandle(int port);
void SetPortHandle(int port, Handle h);

}  // namespace vexa
