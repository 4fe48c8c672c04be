// SPDX-License-Identifier: MIT
// The production library drives the reader through Linux hidraw.
#include "vexa/link/hid_host.h"
#include "vexa/link/hidraw_host.h"

namespace vexa {

HidHost& DefaultHidHost() {
    static HidrawHost host;
    return host;
}

}  // namespace vexa
