// SPDX-License-Identifier: MIT
// "CPU Card": the dialog that resets CPU and module cards and exchanges
// commands with them.
#include "demo/commands/handlers.h"
#include "demo/dialogs/cpu_card_dialog.h"
#include "demo/view/demo_view.h"

namespace demo {

void OnCpuCard(CDemoView& view, int /*id*/) {
    CCpuCardDlg dialog(view.Ui(), view.Device());
    view.Ui().RunModal(dialog);
}

}  // namespace demo
