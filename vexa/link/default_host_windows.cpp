// SPDX-License-Identifier: MIT
// The production library on Windows drives the reader through the HID class driver.
#include "vexa/link/hid_host.h"
#include "vexa/link/windows_hid_host.h"

namespace vexa {

HidHost& DefaultHidHost() {
    static WindowsHidHost host;
    return host;
}

}  // namespace vexa
