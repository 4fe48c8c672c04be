// SPDX-License-Identifier: MIT
#include "demo/dialogs/pass_dialog.h"

#include "demo/res/dialog_templates.h"

namespace demo {

CPassDlg::CPassDlg(UiPort& ui) : Dialog(PassDialogTemplate(), ui) {}

void CPassDlg::OnInitDialog() {
    SetText(pass_dlg::kPass, "");
    FocusField(pass_dlg::kPass);
}

DialogAction CPassDlg::OnOK() {
    m_strPass = Text(pass_dlg::kPass);
    return DialogAction::kEndOk;
}

}  // namespace demo
