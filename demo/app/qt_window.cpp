// SPDX-License-Identifier: MIT
#include "demo/app/qt_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <utility>

namespace demo {

namespace {

Key ToKey(int qt_key) {
    switch (qt_key) {
        case Qt::Key_Escape:
            return Key::kEscape;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return Key::kReturn;
        case Qt::Key_Tab:
            return Key::kTab;
        case Qt::Key_Space:
            return Key::kSpace;
        case Qt::Key_F5:
            return Key::kF5;
        case Qt::Key_Left:
            return Key::kLeft;
        case Qt::Key_Right:
            return Key::kRight;
        case Qt::Key_Up:
            return Key::kUp;
        case Qt::Key_Down:
            return Key::kDown;
        case Qt::Key_Home:
            return Key::kHome;
        case Qt::Key_End:
            return Key::kEnd;
        case Qt::Key_PageUp:
            return Key::kPageUp;
        case Qt::Key_PageDown:
            return Key::kPageDown;
        default:
            return Key::kOther;
    }
}

// The printable ASCII character a key makes, or 0.
char TypedChar(const QKeyEvent& event) {
    const QString text = event.text();
    const bool printable =
        text.size() == 1 && text[0].unicode() >= 0x20 && text[0].unicode() < 0x7F;
    return printable ? static_cast<char>(text[0].unicode()) : '\0';
}

// A key the view acts on: no shortcut of the window takes it from the view.
bool ViewKey(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    return TypedChar(event) != '\0' || ToKey(event.key()) != Key::kOther;
}

}  // namespace

void QtMainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (on_resize) on_resize();
}

void QtMainWindow::closeEvent(QCloseEvent* event) {
    if (on_close) on_close();
    QMainWindow::closeEvent(event);
}

QtCanvas::QtCanvas(const QImage& image, QWidget* parent) : QWidget(parent), image_(image) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&blink_, &QTimer::timeout, this, [this] { BlinkCaret(); });
}

void QtCanvas::CreateCaret(int width, int height) {
    caret_.setSize(QSize(width, height));
    ShowCaret(false);
}

void QtCanvas::ShowCaret(bool shown) {
    caret_shown_ = shown;
    RestartBlink();
}

// A caret that moves is lit at once and blinks on from there, at the
// desktop's cursor flash rate (none when that is 0).
void QtCanvas::MoveCaret(int x, int y) {
    update(caret_);
    caret_.moveTo(x, y);
    RestartBlink();
}

void QtCanvas::RestartBlink() {
    caret_lit_ = caret_shown_;
    const int half_period = QApplication::cursorFlashTime() / 2;
    if (caret_shown_ && half_period > 0) {
        blink_.start(half_period);
    } else {
        blink_.stop();
    }
    update(caret_);
}

void QtCanvas::BlinkCaret() {
    caret_lit_ = !caret_lit_;
    update(caret_);
}

void QtCanvas::paintEvent(QPaintEvent* event) {
    if (!std::exchange(painted_, true) && on_first_paint) on_first_paint();
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
    if (caret_shown_ && caret_lit_) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(caret_, Qt::white);
    }
}

void QtCanvas::mousePressEvent(QMouseEvent* event) {
    if (sink_ && event->button() == Qt::LeftButton) {
        sink_->OnLButtonDown(event->position().toPoint().x(), event->position().toPoint().y());
    }
}

void QtCanvas::keyPressEvent(QKeyEvent* event) {
    if (!sink_) return;
    sink_->OnKeyDown(ToKey(event->key()));
    if (const char ch = TypedChar(*event)) sink_->OnChar(ch);
}

bool QtCanvas::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && ViewKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

// Tab belongs to the view (it moves the caret between the panes).
bool QtCanvas::focusNextPrevChild(bool /*next*/) {
    return false;
}

}  // namespace demo
