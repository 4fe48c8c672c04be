// SPDX-License-Identifier: MIT
#include "demo/dialogs/page_dialog.h"

#include "demo/res/dialog_templates.h"

namespace demo {

CPageDlg::CPageDlg(UiPort& ui, int page, std::string range_text)
    : Dialog(PageDialogTemplate(), ui), m_nPage(page), range_text_(std::move(range_text)) {}

void CPageDlg::OnInitDialog() {
    SetText(page_dlg::kPage, std::to_string(m_nPage));
    SetText(page_dlg::kRange, range_text_);
}

DialogAction CPageDlg::OnOK() {
    std::optional<int> page = IntField(page_dlg::kPage, 0, kMaxPage);
    if (!page) return DialogAction::kStayOpen;
    m_nPage = *page;
    return DialogAction::kEndOk;
}

}  // namespace demo
