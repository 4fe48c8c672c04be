// SPDX-License-Identifier: MIT
#include "demo/dialogs/about_dialog.h"

#include "demo/res/dialog_templates.h"

namespace demo {

CAboutDlg::CAboutDlg(UiPort& ui) : Dialog(AboutDialogTemplate(), ui) {}

void CAboutDlg::OnInitDialog() {
    SetTitle("Velmora Smart Card Reader Demo");
    SetText(about_dlg::kLine1, "Tavix Smart Card Reader Demo   VER 3.0.0.1");
    SetText(about_dlg::kLine2, "Reads, writes and tests the cards of the Tavix USB reader.");
    SetText(about_dlg::kLine3, "");
}

}  // namespace demo
