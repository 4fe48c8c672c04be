// SPDX-License-Identifier: MIT
// The window system as the program's logic sees it. The view, its commands
// and the dialog logic draw, ask and beep only through this interface, so the
// same logic runs in the Qt window and, for tests, against a recording screen.
#pragma once

#include <cstdint>
#include <string_view>

#include "demo/port/menu_bar.h"

namespace demo {

class Dialog;

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(Size, Size) = default;
};

// The dump uses a fixed-pitch font with a 9 by 15 pixel cell; the status
// panel a proportional one.
enum class Font { kFixed, kPanel };

enum class MsgButtons { kOk, kOkCancel, kYesNo };
enum class MsgIcon { kNone, kInformation, kQuestion, kExclamation, kStop };
enum class MsgAnswer { kOk, kCancel, kYes, kNo };

enum class Key {
    kEscape,
    kReturn,
    kTab,
    kSpace,
    kF5,
    kLeft,
    kRight,
    kUp,
    kDown,
    kHome,
    kEnd,
    kPageUp,
    kPageDown,
    kOther
};

struct FrameStyle {
    bool sizing_border = true;
    bool maximize_box = true;
};

// What the main window delivers to the program.
class WindowEvents {
  public:
    virtual void OnPaint() = 0;
    virtual void OnSize() = 0;
    virtual void OnCommand(int id) = 0;
    virtual void OnKeyDown(Key key) = 0;
    virtual void OnChar(char ch) = 0;
    virtual void OnLButtonDown(int x, int y) = 0;
    virtual void OnDestroy() = 0;

  protected:
    ~WindowEvents() = default;
};

class UiPort {
  public:
    virtual ~UiPort() = default;

    // ---- The main window ----
    virtual void SetEventSink(WindowEvents* sink) = 0;
    virtual void SetDialogColors(Rgb background, Rgb text) = 0;
    virtual void CreateMainWindow(const FrameStyle& style) = 0;
    virtual void ShowMainWindow() = 0;
    virtual Size ScreenSize() = 0;
    virtual void MoveMainWindow(int x, int y, int width, int height) = 0;
    virtual void SetCaption(std::string_view caption) = 0;
    // Paints the whole window at once (OnPaint runs before this returns).
    virtual void Repaint() = 0;
    // Ends the program now: the window is destroyed (OnDestroy runs).
    virtual void DestroyMainWindow() = 0;
    // Ends the program once the commands posted so far have run.
    virtual void PostQuit() = 0;
    virtual void PostCommand(int id) = 0;

    // ---- Drawing into the view; what is drawn stays until drawn over ----
    // Opaque text: the background colour fills the text's cell.
    virtual void DrawText(int x, int y, std::string_view text, Rgb fg, Rgb bg, Font font) = 0;
    virtual void DrawBitmap(int bitmap_id, int x, int y) = 0;
    virtual Size BitmapSize(int bitmap_id) = 0;

    // ---- Caret (hidden when created) ----
    virtual void CreateCaret(int width, int height) = 0;
    virtual void ShowCaret() = 0;
    virtual void HideCaret() = 0;
    virtual void SetCaretPos(int x, int y) = 0;

    // ---- Feedback ----
    virtual MsgAnswer MessageBox(std::string_view text, std::string_view caption,
                                 MsgButtons buttons, MsgIcon icon) = 0;
    virtual void Beep() = 0;
    virtual void SetWaitCursor(bool on) = 0;

    // ---- Menus ----
    virtual void SetMenuBar(const MenuBar& bar) = 0;
    // Removes `item` from the top-level pop-up `popup` of the current bar,
    // both found by their exact text; false when either is missing.
    virtual bool RemoveMenuItem(std::string_view popup, std::string_view item) = 0;

    // ---- Dialogs and other programs ----
    // Shows the dialog modally; true when it ended with OK.
    virtual bool RunModal(Dialog& dialog) = 0;
    // Shows the help document, found by its file name among the program's
    // installed data; false when it cannot be found.
    virtual bool OpenHelp(std::string_view file) = 0;
    virtual bool StartProgram(std::string_view file) = 0;
};

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
  public:
    explicit WaitCursor(UiPort& ui) : ui_(ui) { ui_.SetWaitCursor(true); }
    ~WaitCursor() { End(); }
    // Ends it early, e.g. before a message box.
    void End() {
        if (on_) ui_.SetWaitCursor(false);
        on_ = false;
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    UiPort& ui_;
    bool on_ = true;
};

}  // namespace demo
