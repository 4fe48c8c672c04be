// The production library drives the reader through Linux hidraw.
#include "hid_host.h"
#include "hidraw_host.h"

namespace vexa {

HidHost& DefaultHidHost() {
    static HidrawHost host;
    return host;
}

}  // namespace vexa
