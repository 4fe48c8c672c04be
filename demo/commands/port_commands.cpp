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

}  // namespace

// A port that cannot be opened beeps and the previous port is opened again.
void OnSelectPort(CDemoView& view, int id) {
    if (Lib().IC_ExitComm(view.Device()) < 0) return;
    const int previous = view.CommPort();
    view.OpenReader(PortOf(id));
    if (view.Device() == 0) {
        view.OpenReader(previous);
        view.Ui().Beep();
    }
    view.DrawPortLabel();
}

}  // namespace demo
