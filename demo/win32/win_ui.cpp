// SPDX-License-Identifier: MIT
#define NOMINMAX
#include <windows.h>
#undef MessageBox
#undef DrawText

#include <shellapi.h>

#include <string>
#include <vector>

#include "demo/port/screen_layout.h"
#include "demo/res/menus.h"
#include "demo/view/colors.h"
#include "demo/win32/win_colors.h"
#include "demo/win32/win_menus.h"
#include "demo/win32/win_placement.h"
#include "demo/win32/win_ui.h"

namespace demo::win32 {

namespace {

UINT MessageBoxFlags(MsgButtons buttons, MsgIcon icon) {
    UINT flags = MB_OK;
    if (buttons == MsgButtons::kOkCancel) flags = MB_OKCANCEL;
    if (buttons == MsgButtons::kYesNo) flags = MB_YESNO;
    switch (icon) {
        case MsgIcon::kInformation:
            return flags | MB_ICONINFORMATION;
        case MsgIcon::kQuestion:
            return flags | MB_ICONQUESTION;
        case MsgIcon::kExclamation:
            return flags | MB_ICONEXCLAMATION;
        case MsgIcon::kStop:
            return flags | MB_ICONSTOP;
        case MsgIcon::kNone:
            break;
    }
    return flags;
}

MsgAnswer FromAnswer(int answer) {
    switch (answer) {
        case IDCANCEL:
            return MsgAnswer::kCancel;
        case IDYES:
            return MsgAnswer::kYes;
        case IDNO:
            return MsgAnswer::kNo;
        default:
            return MsgAnswer::kOk;
    }
}

// A message box opens centred on the screen; the hook moves it over its
// owner as it is activated, then goes.
thread_local HHOOK message_box_hook = nullptr;
thread_local HWND message_box_owner = nullptr;

LRESULT CALLBACK CenterMessageBox(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE) {
        CenterOver(reinterpret_cast<HWND>(wparam), message_box_owner);
        UnhookWindowsHookEx(message_box_hook);
        message_box_hook = nullptr;
        return 0;
    }
    return CallNextHookEx(message_box_hook, code, wparam, lparam);
}

std::string ProgramFolder() {
    std::string path(MAX_PATH, '\0');
    path.resize(GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of('\\') + 1);
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

WinUi::WinUi(HINSTANCE__* instance) : instance_(instance) {
    background_ = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(screen::kBackgroundBitmap), IMAGE_BITMAP, 0, 0, 0));
    fixed_font_ = CreateFontA(screen::kLineHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                              DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              NONANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN, "Fixedsys");
    panel_font_ = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                              VARIABLE_PITCH | FF_SWISS, "Tahoma");
}

WinUi::~WinUi() {
    if (window_ && !destroyed_) DestroyWindow(window_);
    if (screen_) {
        SelectObject(screen_, screen_old_bitmap_);
        DeleteDC(screen_);
    }
    DeleteObject(screen_bitmap_);
    DeleteObject(background_);
    DeleteObject(fixed_font_);
    DeleteObject(panel_font_);
    if (accelerators_) DestroyAcceleratorTable(accelerators_);
}

void WinUi::CreateBackBuffer() {
    const Size size = BitmapSize(screen::kBackgroundBitmap);
    HDC window_dc = GetDC(window_);
    screen_ = CreateCompatibleDC(window_dc);
    screen_bitmap_ = CreateCompatibleBitmap(window_dc, size.width, size.height);
    ReleaseDC(window_, window_dc);
    screen_old_bitmap_ = static_cast<HBITMAP>(SelectObject(screen_, screen_bitmap_));
    const RECT all{0, 0, size.width, size.height};
    HBRUSH navy = CreateSolidBrush(ToColorRef(color::kNavy));
    FillRect(screen_, &all, navy);
    DeleteObject(navy);
    SetBkMode(screen_, OPAQUE);
}

void WinUi::SetEventSink(WindowEvents* sink) {
    sink_ = sink;
}

void WinUi::SetDialogColors(Rgb background, Rgb text) {
    dialog_colors_ = {background, text};
}

void WinUi::ShowMainWindow() {
    if (sink_) sink_->OnSize();
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    SetFocus(window_);
}

Size WinUi::ScreenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void WinUi::MoveMainWindow(int x, int y, int width, int height) {
    MoveWindow(window_, x, y, width, height, TRUE);
}

void WinUi::SetCaption(std::string_view caption) {
    SetWindowTextA(window_, std::string(caption).c_str());
}

void WinUi::Repaint() {
    PaintProgram();
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
}

void WinUi::PaintProgram() {
    painting_ = true;
    if (sink_) sink_->OnPaint();
    painting_ = false;
}

void WinUi::ShowArea(int left, int top, int right, int bottom) {
    if (painting_) return;
    const RECT area{left, top, right, bottom};
    InvalidateRect(window_, &area, FALSE);
    UpdateWindow(window_);
}

void WinUi::DestroyMainWindow() {
    DestroyWindow(window_);
}

void WinUi::PostQuit() {
    PostMessageA(window_, WM_CLOSE, 0, 0);
}

void WinUi::PostCommand(int id) {
    PostMessageA(window_, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

void WinUi::DrawText(int x, int y, std::string_view text, Rgb fg, Rgb bg, Font font) {
    if (text.empty()) return;
    SetTextColor(screen_, ToColorRef(fg));
    SetBkColor(screen_, ToColorRef(bg));
    const int length = static_cast<int>(text.size());
    RECT area{x, y, x, y + screen::kLineHeight};
    if (font == Font::kFixed) {
        // One character per cell of the dump's grid, whatever the font's
        // own advance.
        SelectObject(screen_, fixed_font_);
        const std::vector<INT> advances(text.size(), screen::kCharWidth);
        area.right = x + length * screen::kCharWidth;
        ExtTextOutA(screen_, x, y, ETO_OPAQUE, &area, text.data(), static_cast<UINT>(length),
                    advances.data());
    } else {
        SelectObject(screen_, panel_font_);
        SIZE extent{};
        GetTextExtentPoint32A(screen_, text.data(), length, &extent);
        area.right = x + extent.cx;
        area.bottom = y + extent.cy;
        TextOutA(screen_, x, y, text.data(), length);
    }
    ShowArea(area.left, area.top, area.right, area.bottom);
}

void WinUi::DrawBitmap(int bitmap_id, int x, int y) {
    const Size size = BitmapSize(bitmap_id);
    HDC source = CreateCompatibleDC(screen_);
    HGDIOBJ old = SelectObject(source, background_);
    BitBlt(screen_, x, y, size.width, size.height, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    ShowArea(x, y, x + size.width, y + size.height);
}

Size WinUi::BitmapSize(int /*bitmap_id*/) {
    BITMAP bitmap{};
    if (!background_ || !GetObjectA(background_, sizeof bitmap, &bitmap)) return {};
    return {bitmap.bmWidth, bitmap.bmHeight};
}

// The system caret exists only while the window has the focus: it is made
// again from the remembered state whenever the focus comes back.
void WinUi::CreateCaret(int width, int height) {
    if (caret_.focused) DestroyCaret();
    caret_.width = width;
    caret_.height = height;
    caret_.shown = false;
    if (caret_.focused) ::CreateCaret(window_, nullptr, width, height);
}

void WinUi::ShowCaret() {
    if (caret_.shown) return;
    caret_.shown = true;
    if (caret_.focused) ::ShowCaret(window_);
}

void WinUi::HideCaret() {
    if (!caret_.shown) return;
    caret_.shown = false;
    if (caret_.focused) ::HideCaret(window_);
}

void WinUi::SetCaretPos(int x, int y) {
    caret_.x = x;
    caret_.y = y;
    if (caret_.focused) ::SetCaretPos(x, y);
}

void WinUi::GainFocus() {
    caret_.focused = true;
    if (caret_.width == 0) return;
    ::CreateCaret(window_, nullptr, caret_.width, caret_.height);
    ::SetCaretPos(caret_.x, caret_.y);
    if (caret_.shown) ::ShowCaret(window_);
}

void WinUi::LoseFocus() {
    if (caret_.focused && caret_.width != 0) DestroyCaret();
    caret_.focused = false;
}

// Over the dialog or window it belongs to; before the main window is shown,
// at the centre of the screen.
MsgAnswer WinUi::MessageBox(std::string_view text, std::string_view caption, MsgButtons buttons,
                            MsgIcon icon) {
    HWND owner = GetActiveWindow();
    if (!owner || !IsWindowVisible(owner)) {
        owner = window_ && IsWindowVisible(window_) ? window_ : nullptr;
    }
    message_box_owner = owner;
    message_box_hook = SetWindowsHookExA(WH_CBT, &CenterMessageBox, nullptr, GetCurrentThreadId());
    const int answer = MessageBoxA(owner, std::string(text).c_str(), std::string(caption).c_str(),
                                   MessageBoxFlags(buttons, icon));
    if (message_box_hook) UnhookWindowsHookEx(message_box_hook);
    message_box_hook = nullptr;
    return FromAnswer(answer);
}

void WinUi::Beep() {
    MessageBeep(MB_OK);
}

void WinUi::SetWaitCursor(bool on) {
    wait_cursor_ = on;
    SetCursor(LoadCursorA(nullptr, on ? IDC_WAIT : IDC_ARROW));
}

void WinUi::SetMenuBar(const MenuBar& bar) {
    if (&bar != &bar_) bar_ = bar;
    HMENU old = GetMenu(window_);
    SetMenu(window_, BuildMenuBar(bar_));
    if (old) DestroyMenu(old);
    DrawMenuBar(window_);
}

bool WinUi::RemoveMenuItem(std::string_view popup, std::string_view item) {
    if (!RemoveItem(bar_, popup, item)) return false;
    SetMenuBar(bar_);
    return true;
}

bool WinUi::RunModal(Dialog& dialog) {
    return RunDialog(instance_, window_, dialog, dialog_colors_);
}

// Beside the program, or one folder up (the simulator build's copy), or in
// share\vexa there (the build tree).
bool WinUi::OpenHelp(std::string_view file) {
    const std::string folder = ProgramFolder();
    const std::string name(file);
    for (const std::string& path :
         {folder + name, folder + "..\\" + name, folder + "..\\share\\vexa\\" + name}) {
        if (!FileExists(path)) continue;
        ShellExecuteA(window_, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return true;
    }
    return false;
}

bool WinUi::StartProgram(std::string_view file) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", std::string(file).c_str(), "", "", SW_RESTORE));
    return result > 32;
}

}  // namespace demo::win32
