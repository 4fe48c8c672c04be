// SPDX-License-Identifier: MIT
// The main window: its class, its messages and the program's message loop.
#define NOMINMAX
#include <windows.h>
#undef MessageBox
#undef DrawText

#include "demo/win32/dialog_bytes.h"
#include "demo/win32/win_menus.h"
#include "demo/win32/win_ui.h"

namespace demo::win32 {

namespace {

constexpr const char* kWindowClass = "VexaDemoFrame";

Key ToKey(WPARAM virtual_key) {
    switch (virtual_key) {
        case VK_ESCAPE:
            return Key::kEscape;
        case VK_RETURN:
            return Key::kReturn;
        case VK_TAB:
            return Key::kTab;
        case VK_SPACE:
            return Key::kSpace;
        case VK_F5:
            return Key::kF5;
        case VK_LEFT:
            return Key::kLeft;
        case VK_RIGHT:
            return Key::kRight;
        case VK_UP:
            return Key::kUp;
        case VK_DOWN:
            return Key::kDown;
        case VK_HOME:
            return Key::kHome;
        case VK_END:
            return Key::kEnd;
        case VK_PRIOR:
            return Key::kPageUp;
        case VK_NEXT:
            return Key::kPageDown;
        default:
            return Key::kOther;
    }
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* ui = reinterpret_cast<WinUi*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!ui) return DefWindowProcA(window, message, wparam, lparam);
    return ui->OnMessage(window, message, wparam, lparam);
}

}  // namespace

void WinUi::CreateMainWindow(const FrameStyle& style) {
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = &WindowProcedure;
    window_class.hInstance = instance_;
    window_class.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(kIconResource));
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.lpszClassName = kWindowClass;
    RegisterClassExA(&window_class);
    DWORD window_style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    if (style.sizing_border) window_style |= WS_THICKFRAME;
    if (style.maximize_box) window_style |= WS_MAXIMIZEBOX;
    CreateWindowExA(0, kWindowClass, "", window_style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, nullptr, nullptr, instance_, this);
    CreateBackBuffer();
    accelerators_ = BuildAccelerators();
}

int WinUi::RunMessageLoop() {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(window_, accelerators_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

std::intptr_t WinUi::OnMessage(HWND__* window, unsigned message, std::uintptr_t wparam,
                               std::intptr_t lparam) {
    switch (message) {
        case WM_NCCREATE:
            window_ = window;
            break;
        case WM_PAINT:
            PaintWindow();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            if (sink_) sink_->OnSize();
            return 0;
        case WM_COMMAND:
            // Commands block in the library: what was drawn before has to
            // reach the screen first.
            UpdateWindow(window_);
            if (sink_ && !destroyed_) sink_->OnCommand(LOWORD(wparam));
            return 0;
        case WM_KEYDOWN:
            if (sink_) sink_->OnKeyDown(ToKey(wparam));
            return 0;
        case WM_CHAR:
            if (sink_ && wparam >= 0x20 && wparam < 0x7F) sink_->OnChar(static_cast<char>(wparam));
            return 0;
        case WM_LBUTTONDOWN:
            if (sink_) {
                sink_->OnLButtonDown(static_cast<short>(LOWORD(lparam)),
                                     static_cast<short>(HIWORD(lparam)));
            }
            return 0;
        case WM_SETFOCUS:
            GainFocus();
            return 0;
        case WM_KILLFOCUS:
            LoseFocus();
            return 0;
        case WM_SETCURSOR:
            if (wait_cursor_ && LOWORD(lparam) == HTCLIENT) {
                SetCursor(LoadCursorA(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_DESTROY:
            if (!destroyed_ && sink_) sink_->OnDestroy();
            destroyed_ = true;
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

void WinUi::PaintWindow() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window_, &paint);
    // The program's first paint comes with the window's first: what the
    // program does from it (it posts the card test) starts with the window
    // on screen.
    if (!painted_) {
        painted_ = true;
        PaintProgram();
    }
    const RECT& area = paint.rcPaint;
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, screen_,
           area.left, area.top, SRCCOPY);
    EndPaint(window_, &paint);
}

}  // namespace demo::win32
