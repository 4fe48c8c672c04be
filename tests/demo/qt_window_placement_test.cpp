// SPDX-License-Identifier: MIT
// Where the real Qt program puts things on the screen, offscreen: the whole
// window is painted before the start-up card test talks to the reader, every
// menu bar shows all its items, and a message shown before the window exists
// sits at the centre of the screen.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <QScreen>
#include <QToolButton>
#include <QWidget>
#include <cstdlib>

#include "demo/app/demo_app.h"
#include "demo/app/qt_ui.h"
#include "demo/app/qt_window.h"
#include "demo/port/library_imports.h"
#include "demo/res/menus.h"
#include "sim/host.h"
#include "tests/demo/qt_test_support.h"
#include "tests/demo/view_state_access.h"

namespace {

using namespace qt_test;

// What the window showed when the start-up card test first asked the reader.
struct FirstQuestion {
    const demo::QtUi* ui = nullptr;
    bool asked = false;
    int panel_points = 0;  // sampled points of the panel below the status lines
    int panel_points_shown = 0;
    int testing_text_pixels = 0;
};
FirstQuestion g_first;

// The window as it is on the screen, not as it would paint now.
QImage OnScreen(const QWidget& window) {
    return window.screen()
        ->grabWindow(window.winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

int16_t StatusLookingAtTheScreen(int32_t icdev) {
    if (!g_first.asked) {
        g_first.asked = true;
        demo::QtMainWindow& window = *g_first.ui->Window();
        const QImage shown = OnScreen(window);
        const QImage background =
            QImage(":/demo/background.png").convertToFormat(QImage::Format_RGB32);
        const QPoint canvas = window.centralWidget()->geometry().topLeft();
        // Nothing is drawn over this part of the panel during the test.
        for (int y = 356; y < 388; y += 6) {
            for (int x = 4; x < 470; x += 13) {
                ++g_first.panel_points;
                g_first.panel_points_shown +=
                    shown.pixel(canvas + QPoint(x, y)) == background.pixel(x, y);
            }
        }
        g_first.testing_text_pixels =
            CountPixels(shown, QRect(canvas + QPoint(12, 296), QSize(60, 15)), Qt::black);
    }
    return IC_Status(icdev);
}

TEST_F(QtWindowTest, TheWindowIsOnScreenBeforeTheStartUpTestAsksTheReader) {
    demo::QtUi ui;
    demo::CDemoApp app(ui);
    ModalWatcher watcher;
    ASSERT_TRUE(app.InitInstance());  // connected: the test's questions come after this
    g_first = {&ui};
    const auto status = demo::Lib().IC_Status;
    demo::Lib().IC_Status = StatusLookingAtTheScreen;
    const bool found =
        ProcessUntil([&] { return demo_test::StateOf(app.View()).m_nCardType == 17; });
    demo::Lib().IC_Status = status;
    ASSERT_TRUE(found);
    ASSERT_TRUE(g_first.asked);
    EXPECT_EQ(g_first.panel_points_shown, g_first.panel_points);
    EXPECT_GT(g_first.testing_text_pixels, 0) << "\"Testing...\" on screen";
}

TEST_F(QtWindowTest, EveryMenuBarShowsAllItsItemsWithinTheWindow) {
    demo::QtUi ui;
    demo::CDemoApp app(ui);
    ModalWatcher watcher;
    ASSERT_TRUE(app.InitInstance());
    ProcessUntil([&] { return demo_test::StateOf(app.View()).m_nCardType == 17; });
    for (int id : {demo::menu::kMain, demo::menu::kCpu, demo::menu::kSerialMemory,
                   demo::menu::kProtectedMemory, demo::menu::kAt88sc102, demo::menu::kAt88sc1604,
                   demo::menu::kAt88sc1608}) {
        ui.SetMenuBar(demo::LoadMenuBar(id));
        ProcessUntil([] { return false; });
        QMenuBar* bar = ui.Window()->menuBar();
        EXPECT_EQ(ui.Window()->width(), 651);
        const QRect inside = bar->rect();
        for (QAction* item : bar->actions()) {
            const QRect at = bar->actionGeometry(item);
            EXPECT_TRUE(!at.isEmpty() && inside.contains(at))
                << "bar " << id << ": \"" << item->text().toStdString() << "\" at " << at.x() << "+"
                << at.width() << " of " << inside.width();
        }
        if (id == demo::menu::kAt88sc1608) ui.Grab().save(Screenshot("menu_bar_143.png"));
        auto* overflow = bar->findChild<QToolButton*>("qt_menubar_ext_button");
        EXPECT_TRUE(!overflow || !overflow->isVisible()) << "bar " << id;
    }
}

TEST_F(QtWindowTest, AMessageBeforeTheWindowExistsIsCentredOnTheScreen) {
    sim::SimHost no_reader;
    vexa::InstallHidHost(&no_reader);
    QRect box;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            box = modal->frameGeometry();
            modal->close();
        }
    });
    watcher.start(0);
    demo::QtUi ui;
    demo::CDemoApp app(ui);
    ASSERT_TRUE(app.InitInstance());
    watcher.stop();
    ASSERT_FALSE(box.isEmpty());
    // Where the window manager's frame is not known yet, Qt allows 10 pixels
    // beside and 40 above the box for it.
    const QPoint off =
        box.center() - QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_TRUE(std::abs(off.x()) <= 12 && off.y() <= 4 && off.y() >= -48)
        << "box at " << box.x() << "," << box.y() << " size " << box.width() << "x" << box.height();
}

}  // namespace
