// SPDX-License-Identifier: MIT
#include "demo/dialogs/auth_dialog.h"

#include <algorithm>

#include "demo/dialogs/hex_input.h"
#include "demo/port/library_imports.h"
#include "demo/res/secure_dialog_templates.h"
#include "demo/res/strings.h"

namespace demo {

namespace {

// Where the card keeps its identification in the configuration zone.
constexpr int kCardIdOffset = 40;
constexpr int kCardIdBytes = 8;

}  // namespace

void WorkText::Set(std::string_view text) {
    chars_.fill('\0');
    std::copy_n(text.begin(), std::min(text.size(), kMaxChars), chars_.begin());
}

CAuthDlg::CAuthDlg(UiPort& ui, std::int32_t icdev)
    : Dialog(AuthDialogTemplate(), ui), m_icdev(icdev) {}

void CAuthDlg::OnInitDialog() {
    ShowCount();
}

DialogAction CAuthDlg::OnButton(int id) {
    switch (id) {
        case auth_dlg::kInitAuth:
            InitAuth();
            break;
        case auth_dlg::kCardAuthDevice:
            CardAuthDevice();
            break;
        case auth_dlg::kDeviceAuthCard:
            DeviceAuthCard();
            break;
        default:
            return Dialog::OnButton(id);
    }
    return DialogAction::kStayOpen;
}

void CAuthDlg::InitAuth() {
    const std::string& random = Text(auth_dlg::kRandom);
    if (random.size() != kHexChars) return Notice("Rand Length Error!");
    if (HasCapitalBeyondF(random)) return Notice("Rand Data Must be 0-F");
    random_.Set(random);
    if (Lib().IC_InitAuth_Hex(m_icdev, random_.c_str()) < 0) return Notice("Init Auth Error!");
    Notice("Init Auth Succeed!", "Messsage");
}

void CAuthDlg::CardAuthDevice() {
    const std::string& pass = Text(auth_dlg::kPass);
    if (pass.size() != kHexChars) return Notice("Password Length Error!");
    if (HasCapitalBeyondF(pass)) return Notice("Password data must be 0-F");
    random_.Set(Text(auth_dlg::kRandom));
    pass_.Set(pass);
    if (!ReadCardId("Read Card CI Error!")) return;
    if (Lib().SetInit_Hex(card_id_.c_str(), pass_.c_str(), random_.c_str()) < 0) {
        return Notice("Init CI,GC,Q0 Error!");
    }
    if (Lib().Authenticate_Hex(q1_.data(), q2_.data()) < 0) {
        return Notice("Create Auth data Q1,Q2 Error!");
    }
    if (Lib().IC_CheckAuth_Hex(m_icdev, q1_.c_str()) < 0) {
        Notice("card Auth device Error!");
    } else {
        Notice("Card Auth device Succeed!", text::kMessage);
    }
    ShowCount();
}

// The card proves itself by holding what the host computed it should: Q2.
// Without a Q2 from an earlier step 2 nothing can match.
void CAuthDlg::DeviceAuthCard() {
    if (!ReadCardId("Read card CI Error!")) return;
    const std::string_view expected = q2_.view().substr(0, kHexChars);
    const bool same = !expected.empty() && card_id_.view().substr(0, kHexChars) == expected;
    if (same) {
        Notice("device auth card succeed!", text::kMessage);
    } else {
        Notice("device auth card Fail!");
    }
}

bool CAuthDlg::ReadCardId(const char* error) {
    WorkText read;
    if (Lib().IC_ReadConfigZone_Hex(m_icdev, kCardIdOffset, kCardIdBytes, read.data()) < 0) {
        Notice(error);
        return false;
    }
    card_id_ = read;
    return true;
}

void CAuthDlg::ShowCount() {
    const int count = Lib().IC_ReadAuthCount(m_icdev);
    SetText(auth_dlg::kCount,
            count < 0 ? "Current Auth Count:    " : "Current Auth Count:" + std::to_string(count));
}

}  // namespace demo
