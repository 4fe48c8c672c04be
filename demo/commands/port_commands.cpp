// SPDX-License-Identifier: MIT
// Choosing the port the reader is reached on.
#include "demo/commands/handlers.h"
#include "demo/port/library_imports.h"
#include "demo/res/command_ids.h"
#include "demo/view/demo_view.h"

namespace demo {

namespace {

int PortOf(int id) {
    return id == cmd::kUsb ? kUsbPort : id - cmd::kCom1;
}

// The device number of a port just opened; 0 (no reader) when it failed.
std::int32_t Open(int port) {
    const std::int32_t icdev = Lib().IC_InitComm(port);
    return icdev > 0 ? icdev : 0;
}

}  // namespace

// A port that cannot be opened beeps and the previous port is opened again.
void OnSelectPort(CDemoView& view, int id) {
    if (Lib().IC_ExitComm(view.Device()) < 0) return;
    const int previous = view.CommPort();
    const int port = PortOf(id);
    view.UseReader(port, Open(port));
    if (view.Device() == 0) {
        view.UseReader(previous, Open(previous));
        view.Ui().Beep();
    }
    view.DrawPortLabel();
}

}  // namespace demo
