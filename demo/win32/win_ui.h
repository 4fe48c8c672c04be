// SPDX-License-Identifier: MIT
// The Windows implementation of the window system port, in plain Win32.
// The program draws into a back-buffer bitmap that the window shows, so text
// drawn outside a paint stays on screen, as in the Qt window.
#pragma once

#include <cstdint>

#include "demo/port/ui_port.h"
#include "demo/res/menus.h"
#include "demo/win32/win_dialog.h"
#include "demo/win32/win_handles.h"

namespace demo::win32 {

class WinUi final : public UiPort {
  public:
    explicit WinUi(HINSTANCE__* instance);
    ~WinUi() override;
    WinUi(const WinUi&) = delete;
    WinUi& operator=(const WinUi&) = delete;

    // Runs the program until its main window is gone; the exit code.
    int RunMessageLoop();
    // The main window's messages (the window procedure passes them on).
    std::intptr_t OnMessage(HWND__* window, unsigned message, std::uintptr_t wparam,
                            std::intptr_t lparam);

    void SetEventSink(WindowEvents* sink) override;
    void SetDialogColors(Rgb background, Rgb text) override;
    void CreateMainWindow(const FrameStyle& style) override;
    void ShowMainWindow() override;
    Size ScreenSize() override;
    void MoveMainWindow(int x, int y, int width, int height) override;
    void SetCaption(std::string_view caption) override;
    void Repaint() override;
    void DestroyMainWindow() override;
    void PostQuit() override;
    void PostCommand(int id) override;

    void DrawText(int x, int y, std::string_view text, Rgb fg, Rgb bg, Font font) override;
    void DrawBitmap(int bitmap_id, int x, int y) override;
    Size BitmapSize(int bitmap_id) override;

    void CreateCaret(int width, int height) override;
    void ShowCaret() override;
    void HideCaret() override;
    void SetCaretPos(int x, int y) override;

    MsgAnswer MessageBox(std::string_view text, std::string_view caption, MsgButtons buttons,
                         MsgIcon icon) override;
    void Beep() override;
    void SetWaitCursor(bool on) override;

    void SetMenuBar(const MenuBar& bar) override;
    bool RemoveMenuItem(std::string_view popup, std::string_view item) override;

    bool RunModal(Dialog& dialog) override;
    bool OpenHelp(std::string_view file) override;
    bool StartProgram(std::string_view file) override;

  private:
    void CreateBackBuffer();
    void PaintProgram();
    void PaintWindow();
    // Shows a part of the back buffer now (the program often blocks in the
    // library right after drawing).
    void ShowArea(int left, int top, int right, int bottom);
    void KeyDown(std::uintptr_t virtual_key);
    void GainFocus();
    void LoseFocus();

    struct Caret {
        int width = 0;
        int height = 0;
        int x = 0;
        int y = 0;
        bool shown = false;
        bool focused = false;  // the system caret exists while focused
    };

    HINSTANCE__* instance_;
    HWND__* window_ = nullptr;
    HACCEL__* accelerators_ = nullptr;
    HBITMAP__* background_ = nullptr;
    HDC__* screen_ = nullptr;  // the back buffer
    HBITMAP__* screen_bitmap_ = nullptr;
    HBITMAP__* screen_old_bitmap_ = nullptr;
    HFONT__* fixed_font_ = nullptr;
    HFONT__* panel_font_ = nullptr;
    WindowEvents* sink_ = nullptr;
    DialogColors dialog_colors_{};
    MenuBar bar_;
    Caret caret_;
    bool painted_ = false;
    bool painting_ = false;  // the program paints the whole window
    bool destroyed_ = false;
    bool wait_cursor_ = false;
};

}  // namespace demo::win32
