// SPDX-License-Identifier: MIT
// The Qt implementation of the window system port. The program draws into a
// back-buffer image that the canvas shows, so text drawn outside a paint
// stays on screen.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPalette>

#include "demo/app/qt_glyph_cells.h"
#include "demo/app/qt_text.h"
#include "demo/port/ui_port.h"

namespace demo {

class QtMainWindow;
class QtCanvas;
class QtHelpWindow;

class QtUi : public UiPort {
  public:
    QtUi();
    ~QtUi() override;

    // The whole window as shown, menu bar included.
    QImage Grab() const;
    QtMainWindow* Window() const { return window_; }
    // The help window once the help was shown.
    QtHelpWindow* Help() const { return help_; }

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
    void InstallAccelerators();
    // Lets the program paint into the back buffer.
    void PaintProgram();

    WindowEvents* sink_ = nullptr;
    QtMainWindow* window_ = nullptr;
    QtCanvas* canvas_ = nullptr;
    QtHelpWindow* help_ = nullptr;  // a child of the main window
    QImage background_;
    QImage screen_;
    QPainter* painter_ = nullptr;  // open during a paint
    GlyphCells fixed_cells_{TextFont(Font::kFixed)};
    QFont panel_font_;
    QPalette dialog_palette_;
    bool destroyed_ = false;
};

}  // namespace demo
