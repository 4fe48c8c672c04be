// SPDX-License-Identifier: MIT
#include "demo/app/qt_ui.h"

#include <QApplication>
#include <QGridLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <optional>

#include "demo/app/qt_dialog.h"
#include "demo/app/qt_help.h"
#include "demo/app/qt_menus.h"
#include "demo/app/qt_text.h"
#include "demo/app/qt_window.h"
#include "demo/port/screen_layout.h"
#include "demo/res/accelerators.h"

namespace demo {

namespace {

QMessageBox::Icon ToQtIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::kInformation:
            return QMessageBox::Information;
        case MsgIcon::kQuestion:
            return QMessageBox::Question;
        case MsgIcon::kExclamation:
            return QMessageBox::Warning;
        case MsgIcon::kStop:
            return QMessageBox::Critical;
        case MsgIcon::kNone:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::kOkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MsgButtons::kYesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MsgButtons::kOk:
            break;
    }
    return QMessageBox::Ok;
}

MsgAnswer FromQtButton(int button) {
    switch (button) {
        case QMessageBox::Cancel:
            return MsgAnswer::kCancel;
        case QMessageBox::Yes:
            return MsgAnswer::kYes;
        case QMessageBox::No:
            return MsgAnswer::kNo;
        default:
            return MsgAnswer::kOk;
    }
}

// A message box sizes itself to its text; a short text under a long caption
// leaves the title bar room for a stub of it. The title bar sets its caption
// in bold beside the window's icon and its three buttons.
void FitCaption(QMessageBox& box) {
    QFont title_font = box.font();
    title_font.setBold(true);
    const int title_bar = box.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const int width = QFontMetrics(title_font).horizontalAdvance(box.windowTitle()) + 4 * title_bar;
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

QtUi::QtUi() {
    background_ = QImage(":/demo/background.png").convertToFormat(QImage::Format_RGB32);
    screen_ = QImage(background_.size(), QImage::Format_RGB32);
    screen_.fill(QColor(0, 0, 128));
    panel_font_ = TextFont(Font::kPanel);
}

QtUi::~QtUi() {
    delete window_;
}

QImage QtUi::Grab() const {
    return window_->grab().toImage();
}

void QtUi::SetEventSink(WindowEvents* sink) {
    sink_ = sink;
    if (canvas_) canvas_->SetSink(sink);
}

void QtUi::SetDialogColors(Rgb background, Rgb text) {
    dialog_palette_.setColor(QPalette::Window, ToQColor(background));
    dialog_palette_.setColor(QPalette::WindowText, ToQColor(text));
}

void QtUi::CreateMainWindow(const FrameStyle& style) {
    window_ = new QtMainWindow;
    Qt::WindowFlags flags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    if (style.maximize_box) flags |= Qt::WindowMaximizeButtonHint;
    window_->setWindowFlags(flags);
    QApplication::setWindowIcon(QIcon(":/demo/demo.png"));
    canvas_ = new QtCanvas(screen_, window_);
    canvas_->SetSink(sink_);
    window_->setCentralWidget(canvas_);
    window_->on_resize = [this] {
        if (sink_) sink_->OnSize();
    };
    window_->on_close = [this] {
        if (destroyed_) return;
        destroyed_ = true;
        if (sink_) sink_->OnDestroy();
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    };
    InstallAccelerators();
}

void QtUi::InstallAccelerators() {
    for (const Accelerator& accelerator : Accelerators()) {
        auto* shortcut = new QShortcut(QKeySequence(accelerator.keys), window_);
        const int command = accelerator.command;
        QObject::connect(shortcut, &QShortcut::activated, window_,
                         [this, command] { PostCommand(command); });
    }
}

// The program's first paint comes when the window system first paints the
// window: what the program does from it (it posts the card test) then starts
// with the window on screen.
void QtUi::ShowMainWindow() {
    canvas_->on_first_paint = [this] { PaintProgram(); };
    window_->show();
    canvas_->setFocus();
}

Size QtUi::ScreenSize() {
    const QSize size = QGuiApplication::primaryScreen()->geometry().size();
    return {size.width(), size.height()};
}

void QtUi::MoveMainWindow(int x, int y, int width, int height) {
    window_->setFixedSize(width, height);
    window_->move(x, y);
}

void QtUi::SetCaption(std::string_view caption) {
    window_->setWindowTitle(ToQString(caption));
}

// One painter serves the whole paint; drawing outside a paint opens its own.
void QtUi::Repaint() {
    PaintProgram();
    canvas_->update();
}

void QtUi::PaintProgram() {
    QPainter painter(&screen_);
    painter_ = &painter;
    if (sink_) sink_->OnPaint();
    painter_ = nullptr;
}

void QtUi::DestroyMainWindow() {
    window_->close();
}

void QtUi::PostQuit() {
    QMetaObject::invokeMethod(window_, &QWidget::close, Qt::QueuedConnection);
}

void QtUi::PostCommand(int id) {
    QMetaObject::invokeMethod(
        window_,
        [this, id] {
            if (!sink_ || destroyed_) return;
            // Commands block in the library: what was painted before has to
            // reach the screen first.
            QCoreApplication::sendPostedEvents(window_, QEvent::UpdateRequest);
            sink_->OnCommand(id);
        },
        Qt::QueuedConnection);
}

void QtUi::DrawText(int x, int y, std::string_view text, Rgb fg, Rgb bg, Font font) {
    if (text.empty()) return;
    std::optional<QPainter> own;
    QPainter& painter = painter_ ? *painter_ : own.emplace(&screen_);
    const QRect area = font == Font::kFixed
                           ? fixed_cells_.Draw(painter, x, y, text, fg, bg)
                           : DrawOpaqueText(painter, x, y, text, fg, bg, panel_font_);
    if (canvas_ && !painter_) {
        own.reset();
        // The program often blocks in the library right after drawing (its
        // progress texts): show the text now, as on a window's device context.
        canvas_->repaint(area);
    }
}

void QtUi::DrawBitmap(int /*bitmap_id*/, int x, int y) {
    std::optional<QPainter> own;
    QPainter& painter = painter_ ? *painter_ : own.emplace(&screen_);
    painter.drawImage(x, y, background_);
    if (canvas_ && !painter_) canvas_->update();
}

Size QtUi::BitmapSize(int /*bitmap_id*/) {
    return {background_.width(), background_.height()};
}

void QtUi::CreateCaret(int width, int height) {
    canvas_->CreateCaret(width, height);
}
void QtUi::ShowCaret() {
    canvas_->ShowCaret(true);
}
void QtUi::HideCaret() {
    canvas_->ShowCaret(false);
}
void QtUi::SetCaretPos(int x, int y) {
    canvas_->MoveCaret(x, y);
}

MsgAnswer QtUi::MessageBox(std::string_view text, std::string_view caption, MsgButtons buttons,
                           MsgIcon icon) {
    // Over the dialog or window it belongs to; before the main window is
    // shown, at the centre of the screen.
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent && window_ && window_->isVisible()) parent = window_;
    QMessageBox box(ToQtIcon(icon), ToQString(caption), ToQString(text), ToQtButtons(buttons),
                    parent);
    box.setPalette(dialog_palette_);
    FitCaption(box);
    return FromQtButton(box.exec());
}

void QtUi::Beep() {
    QApplication::beep();
}

void QtUi::SetWaitCursor(bool on) {
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void QtUi::SetMenuBar(const MenuBar& bar) {
    window_->setMenuBar(BuildMenuBar(bar, [this](int id) { PostCommand(id); }));
}

bool QtUi::RemoveMenuItem(std::string_view popup, std::string_view item) {
    return RemoveQtMenuItem(window_->menuBar(), ToQString(popup), ToQString(item));
}

bool QtUi::RunModal(Dialog& dialog) {
    QtDialog shown(dialog, window_, dialog_palette_);
    return shown.exec() == QDialog::Accepted;
}

bool QtUi::OpenHelp(std::string_view file) {
    const QString path = FindHelpFile(ToQString(file));
    if (path.isEmpty()) return false;
    if (!help_) help_ = new QtHelpWindow(window_);
    help_->ShowDocument(path);
    return true;
}

bool QtUi::StartProgram(std::string_view file) {
    return QProcess::startDetached(ToQString(file), {});
}

}  // namespace demo
