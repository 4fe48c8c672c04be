// SPDX-License-Identifier: MIT
#define NOMINMAX
#include <windows.h>
#undef MessageBox
#undef DrawText

#include <optional>
#include <string>

#include "demo/win32/dialog_bytes.h"
#include "demo/win32/win_colors.h"
#include "demo/win32/win_dialog.h"
#include "demo/win32/win_placement.h"

namespace demo::win32 {

namespace {

// A dialog on screen: copies what is typed into the dialog's fields, reports
// button presses and shows what the dialog's logic changed.
class ShownDialog {
  public:
    ShownDialog(Dialog& dialog, DialogColors colors)
        : dialog_(dialog),
          colors_(colors),
          brush_(CreateSolidBrush(ToColorRef(colors.background))) {}
    ~ShownDialog() { DeleteObject(brush_); }
    ShownDialog(const ShownDialog&) = delete;
    ShownDialog& operator=(const ShownDialog&) = delete;

    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_INITDIALOG) SetWindowLongPtrA(window, DWLP_USER, lparam);
        auto* shown = reinterpret_cast<ShownDialog*>(GetWindowLongPtrA(window, DWLP_USER));
        return shown ? shown->Handle(window, message, wparam, lparam) : FALSE;
    }

  private:
    INT_PTR Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    INT_PTR Init(HWND window);
    void Command(int id, int code, bool from_control);
    void Press(int id);
    void PullFields();
    // Returns whether a field was given the focus.
    bool PushFields();
    INT_PTR Colour(HDC dc);

    Dialog& dialog_;
    DialogColors colors_;
    HBRUSH brush_;
    HWND window_ = nullptr;
    bool pushing_ = false;
};

INT_PTR ShownDialog::Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            return Init(window);
        case WM_COMMAND:
            Command(LOWORD(wparam), HIWORD(wparam), lparam != 0);
            return TRUE;
        case WM_RBUTTONDBLCLK:
            dialog_.OnRButtonDblClk(static_cast<short>(LOWORD(lparam)),
                                    static_cast<short>(HIWORD(lparam)));
            PushFields();
            return TRUE;
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return Colour(reinterpret_cast<HDC>(wparam));
        default:
            return FALSE;
    }
}

// Returns FALSE when the dialog chose the focus itself.
INT_PTR ShownDialog::Init(HWND window) {
    window_ = window;
    CenterOver(window, GetWindow(window, GW_OWNER));
    for (const ControlTemplate& control : dialog_.Template().controls) {
        if (control.kind == ControlKind::kEdit && control.max_length != 0) {
            SendDlgItemMessageA(window, control.id, EM_LIMITTEXT, control.max_length, 0);
        }
    }
    dialog_.OnInitDialog();
    return PushFields() ? FALSE : TRUE;
}

// Enter and Esc come as the OK and Cancel buttons, the close box as Cancel.
void ShownDialog::Command(int id, int code, bool from_control) {
    if (code == EN_CHANGE) {
        if (pushing_) return;
        PullFields();
        dialog_.OnFieldChanged(id);
        PushFields();
    } else if (code == BN_CLICKED && (from_control || id == IDOK || id == IDCANCEL)) {
        Press(id);
    }
}

void ShownDialog::Press(int id) {
    PullFields();
    const DialogAction action = dialog_.OnButton(id);
    PushFields();
    if (action == DialogAction::kEndOk) EndDialog(window_, IDOK);
    if (action == DialogAction::kEndCancel) EndDialog(window_, IDCANCEL);
}

void ShownDialog::PullFields() {
    for (const ControlTemplate& control : dialog_.Template().controls) {
        if (control.kind != ControlKind::kEdit) continue;
        HWND field = GetDlgItem(window_, control.id);
        std::string text(static_cast<std::size_t>(GetWindowTextLengthA(field)) + 1, '\0');
        text.resize(static_cast<std::size_t>(
            GetWindowTextA(field, text.data(), static_cast<int>(text.size()))));
        dialog_.SetText(control.id, std::move(text));
    }
}

bool ShownDialog::PushFields() {
    pushing_ = true;
    SetWindowTextA(window_, dialog_.Title().c_str());
    for (const ControlTemplate& control : dialog_.Template().controls) {
        if (control.id == kIdStatic) continue;
        HWND item = GetDlgItem(window_, control.id);
        const std::string& text = dialog_.Text(control.id);
        std::string shown(static_cast<std::size_t>(GetWindowTextLengthA(item)) + 1, '\0');
        shown.resize(static_cast<std::size_t>(
            GetWindowTextA(item, shown.data(), static_cast<int>(shown.size()))));
        if (shown != text) SetWindowTextA(item, text.c_str());
        ShowWindow(item, dialog_.Visible(control.id) ? SW_SHOW : SW_HIDE);
    }
    pushing_ = false;
    const std::optional<int> focus = dialog_.TakeFocusRequest();
    if (!focus) return false;
    HWND field = GetDlgItem(window_, *focus);
    SendMessageA(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    SendMessageA(field, EM_SETSEL, 0, -1);
    return true;
}

INT_PTR ShownDialog::Colour(HDC dc) {
    SetTextColor(dc, ToColorRef(colors_.text));
    SetBkColor(dc, ToColorRef(colors_.background));
    return reinterpret_cast<INT_PTR>(brush_);
}

}  // namespace

bool RunDialog(HINSTANCE__* instance, HWND__* owner, Dialog& dialog, DialogColors colors) {
    const std::vector<std::uint16_t> bytes = DialogTemplateBytes(dialog.Template());
    ShownDialog shown(dialog, colors);
    const INT_PTR result =
        DialogBoxIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), owner,
                                &ShownDialog::Procedure, reinterpret_cast<LPARAM>(&shown));
    return result == IDOK;
}

}  // namespace demo::win32
