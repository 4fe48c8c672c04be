// SPDX-License-Identifier: MIT
// The Qt widgets of the main window: the frame, which reports its size and
// its closing, and the canvas, which shows the back buffer the program draws
// into, with the caret over it.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "demo/port/ui_port.h"

namespace demo {

class QtMainWindow : public QMainWindow {
  public:
    std::function<void()> on_resize;
    std::function<void()> on_close;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

class QtCanvas : public QWidget {
  public:
    QtCanvas(const QImage& image, QWidget* parent);

    void SetSink(WindowEvents* sink) { sink_ = sink; }
    // Runs once, when the window system first paints the canvas.
    std::function<void()> on_first_paint;
    void CreateCaret(int width, int height);
    void ShowCaret(bool shown);
    void MoveCaret(int x, int y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    void BlinkCaret();
    void RestartBlink();

    const QImage& image_;
    WindowEvents* sink_ = nullptr;
    QRect caret_;
    bool caret_shown_ = false;
    bool caret_lit_ = false;
    bool painted_ = false;
    QTimer blink_;
};

}  // namespace demo
