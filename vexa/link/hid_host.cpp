#include "hid_host.h"

namespace vexa {

namespace {
HidHost* g_installed = nullptr;
}

HidHost& CurrentHidHost() { return g_installed ? *g_installed : DefaultHidHost(); }

void InstallHidHost(HidHost* host) { g_installed = host; }

}  // namespace vexa
