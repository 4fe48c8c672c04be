// SPDX-License-Identifier: MIT
#include "demo/dialogs/pass_auth_dialog.h"

#include <climits>
#include <iterator>

#include "demo/dialogs/hex_input.h"
#include "demo/port/library_imports.h"
#include "demo/res/secure_dialog_templates.h"

namespace demo {

namespace {

constexpr const char* kTitles[] = {"check read pass",  "check write pass",  "check safety code",
                                   "change read pass", "change write pass", "change safety code"};

bool UsesReadPassword(int mode) {
    return mode == pass_mode::kCheckRead || mode == pass_mode::kChangeRead;
}

}  // namespace

CPassAuthDlg::CPassAuthDlg(UiPort& ui, int mode, std::int32_t icdev, int set)
    : Dialog(PassAuthDialogTemplate(), ui), m_nSet(set), m_nMode(mode), m_icdev(icdev) {}

bool CPassAuthDlg::IsSafetyCode() const {
    return m_nMode == pass_mode::kCheckSafety || m_nMode == pass_mode::kChangeSafety;
}

void CPassAuthDlg::OnInitDialog() {
    if (m_nMode >= 0 && m_nMode < static_cast<int>(std::size(kTitles))) SetTitle(kTitles[m_nMode]);
    SetText(pass_auth_dlg::kPass, m_strPass);
    SetText(pass_auth_dlg::kSet, std::to_string(m_nSet));
    if (IsSafetyCode()) {
        Show(pass_auth_dlg::kSetLabel, false);
        Show(pass_auth_dlg::kSet, false);
    }
    ShowCount();
}

void CPassAuthDlg::OnFieldChanged(int id) {
    if (id != pass_auth_dlg::kSet) return;
    if (std::optional<int> set = TakeSet()) {
        m_nSet = *set;
        ShowCount();
    }
}

std::optional<int> CPassAuthDlg::TakeSet() {
    std::optional<int> set = IntField(pass_auth_dlg::kSet, INT_MIN, INT_MAX);
    if (!set) return std::nullopt;
    if (*set < 0 || *set > kMaxSet) {
        Notice("input error");
        FocusField(pass_auth_dlg::kSet);
        return std::nullopt;
    }
    return set;
}

void CPassAuthDlg::ShowCount() {
    const auto set = static_cast<std::uint8_t>(m_nSet);
    const int count = UsesReadPassword(m_nMode) ? Lib().IC_ReadRPasswordCount(m_icdev, set)
                                                : Lib().IC_ReadWPasswordCount(m_icdev, set);
    std::string line = "current pass count:";
    if (count >= 0) line += std::to_string(count);
    SetText(pass_auth_dlg::kCount, line);
}

// A set outside 0 to 7 is refused here too: the password must not go to a
// set the card does not have.
DialogAction CPassAuthDlg::OnOK() {
    std::optional<int> set = TakeSet();
    if (!set) return DialogAction::kStayOpen;
    const std::string& pass = Text(pass_auth_dlg::kPass);
    if (pass.size() != kPassChars) {
        Notice("length error");
        return DialogAction::kStayOpen;
    }
    if (HasCapitalBeyondF(pass)) {
        Notice("input data must be 0-F");
        return DialogAction::kStayOpen;
    }
    m_nSet = *set;
    m_strPass = pass;
    return DialogAction::kEndOk;
}

}  // namespace demo
