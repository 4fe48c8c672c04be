// SPDX-License-Identifier: MIT
// The secure-memory card's read, write and safety passwords, and mutual
// authentication.
#include "demo/commands/handlers.h"
#include "demo/dialogs/auth_dialog.h"
#include "demo/dialogs/pass_auth_dialog.h"
#include "demo/port/library_imports.h"
#include "demo/res/command_ids.h"
#include "demo/view/demo_view.h"

namespace demo {

namespace {

using PasswordCall = decltype(LibraryImports::IC_CheckRPassword_Hex) LibraryImports::*;

struct PasswordCommand {
    int mode;
    PasswordCall call;
    const char* title;  // of the result; the result text adds " Succeed" or " Fail"
};

// In command order, from "Check Read Pass" on.
constexpr PasswordCommand kPasswordCommands[] = {
    {pass_mode::kCheckRead, &LibraryImports::IC_CheckRPassword_Hex, "Check RPass"},
    {pass_mode::kCheckWrite, &LibraryImports::IC_CheckWPassword_Hex, "Check WPass"},
    {pass_mode::kCheckSafety, &LibraryImports::IC_CheckWPassword_Hex, "Check safety Code"},
    {pass_mode::kChangeRead, &LibraryImports::IC_ChangeRPassword_Hex, "Change RPass"},
    {pass_mode::kChangeWrite, &LibraryImports::IC_ChangeWPassword_Hex, "Change WPass"},
    {pass_mode::kChangeSafety, &LibraryImports::IC_ChangeWPassword_Hex, "Change safety Code"},
};

}  // namespace

void OnSecurePassword(CDemoView& view, int id) {
    const int index = id - cmd::kCheckReadPass;
    if (index < 0 || index >= static_cast<int>(std::size(kPasswordCommands))) return;
    const PasswordCommand& command = kPasswordCommands[index];
    const bool safety =
        command.mode == pass_mode::kCheckSafety || command.mode == pass_mode::kChangeSafety;
    CPassAuthDlg dialog(view.Ui(), command.mode, view.Device(),
                        safety ? kSafetyCodeSet : view.PassSet());
    if (!view.Ui().RunModal(dialog)) return;
    const int set = safety ? kSafetyCodeSet : dialog.m_nSet;
    if (!safety) view.RememberPassSet(set);
    const int status = (Lib().*command.call)(view.Device(), set, dialog.m_strPass.c_str());
    const std::string title = command.title;
    view.Ui().MessageBox(title + (status == 0 ? " Succeed" : " Fail"), title, MsgButtons::kOk,
                         MsgIcon::kNone);
}

void OnAuth(CDemoView& view, int /*id*/) {
    CAuthDlg dialog(view.Ui(), view.Device());
    view.Ui().RunModal(dialog);
}

}  // namespace demo
