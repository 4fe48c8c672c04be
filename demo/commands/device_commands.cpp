// SPDX-License-Identifier: MIT
// The reader's own beeper and memory, and the switch to page mode.
#include "demo/commands/handlers.h"
#include "demo/dialogs/device_dialog.h"
#include "demo/port/library_imports.h"
#include "demo/res/command_ids.h"
#include "demo/res/strings.h"
#include "demo/view/demo_view.h"

namespace demo {

namespace {

constexpr int kPageModeType = 1;

}  // namespace

void OnDeviceControl(CDemoView& view, int /*id*/) {
    CDeviceDlg dialog(view.Ui(), view.Device());
    if (!view.Ui().RunModal(dialog)) return;
    OnSelectCardType(view, cmd::k24C16);
    if (Lib().IC_InitType(view.Device(), kPageModeType) != 0) {
        view.Ui().MessageBox("Page Mode Fail!", text::kMessage, MsgButtons::kOk,
                             MsgIcon::kInformation);
    }
}

}  // namespace demo
