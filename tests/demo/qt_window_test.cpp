// SPDX-License-Identifier: MIT
// The real Qt program, offscreen, on the simulated reader: start-up, the
// automatic card test and "Read Card", with screenshots of the window left in
// the build tree.
#include "demo/app/qt_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "demo/app/demo_app.h"
#include "demo/app/qt_ui.h"
#include "demo/port/library_imports.h"
#include "demo/res/command_ids.h"
#include "sim/card_factory.h"
#include "sim/host.h"
#include "tests/demo/qt_test_support.h"
#include "tests/demo/view_state_access.h"
#include "tests/support/sim_fixture.h"

namespace {

using namespace qt_test;

TEST_F(QtWindowTest, StartsFindsTheCardReadsItAndLeavesScreenshots) {
    demo::QtUi ui;
    demo::CDemoApp app(ui);
    ModalWatcher watcher;
    ASSERT_TRUE(app.InitInstance());
    ASSERT_TRUE(ProcessUntil([&] { return demo_test::StateOf(app.View()).m_nCardType == 17; }));
    ProcessUntil([] { return false; });  // lets the new menu bar settle
    EXPECT_EQ(ui.Window()->size(), QSize(651, 415));
    EXPECT_EQ(ui.Window()->windowTitle(), "Tavix Smart Card Reader Demo");
    EXPECT_TRUE(ui.Grab().save(Screenshot("startup.png")));

    app.OnCommand(demo::cmd::kReadCard);
    ProcessUntil([] { return false; });
    EXPECT_EQ(demo_test::StateOf(app.View()).m_nReadState, 2);
    const QImage shot = ui.Grab();
    EXPECT_TRUE(shot.save(Screenshot("read_card.png")));
    EXPECT_EQ(watcher.closed, 0);

    // Row 0 of the hex pane: protection colours; row 2: white data.
    const int menu_height = shot.height() - ui.Window()->centralWidget()->height();
    const QRect row0(33, 32 + menu_height, 430, 15);
    const QRect row2(33, 62 + menu_height, 430, 15);
    EXPECT_GT(CountPixels(shot, row0, QColor(255, 255, 0)) + CountPixels(shot, row0, Qt::red), 0);
    EXPECT_GT(CountPixels(shot, row2, Qt::white), 0);
}

// The page dialog as Qt shows it: the operator types a page and presses
// "ok".
TEST_F(QtWindowTest, ThePageDialogTakesThePageTyped) {
    host.reader().Insert(sim::MakeCard("45db041"));
    demo::QtUi ui;
    demo::CDemoApp app(ui);
    ASSERT_TRUE(app.InitInstance());
    ASSERT_TRUE(ProcessUntil([&] { return demo_test::StateOf(app.View()).m_nCardType == 161; }));
    QString title;
    QTimer operator_;
    QObject::connect(&operator_, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        title = dialog->windowTitle();
        dialog->findChild<QLineEdit*>()->setText("5");
        dialog->grab().save(Screenshot("page_dialog.png"));
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->isDefault()) button->click();
        }
    });
    operator_.start(0);
    app.OnCommand(demo::cmd::kReadCard);
    operator_.stop();
    EXPECT_EQ(title, "input page");
    EXPECT_EQ(demo_test::StateOf(app.View()).m_nZone, 5);
    EXPECT_EQ(demo_test::StateOf(app.View()).m_nReadState, 2);
}

// Paints of the view while "Read Card" runs, and how many had come when the
// program asked the reader whether a card is there.
int g_paints = 0;
int g_paints_when_asked = -1;

class PaintCounter : public QObject {
  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++g_paints;
        return false;
    }
};

int16_t StatusCountingPaints(int32_t icdev) {
    g_paints_when_asked = g_paints;
    return IC_Status(icdev);
}

// The program blocks in the library right after drawing "Reading....": the
// window has to show it then, not once the command is over.
TEST_F(QtWindowTest, ProgressTextsAreOnScreenWhileTheReaderWorks) {
    demo::QtUi ui;
    demo::CDemoApp app(ui);
    ModalWatcher watcher;
    ASSERT_TRUE(app.InitInstance());
    ASSERT_TRUE(ProcessUntil([&] { return demo_test::StateOf(app.View()).m_nCardType == 17; }));
    ProcessUntil([] { return false; });
    PaintCounter counter;
    ui.Window()->centralWidget()->installEventFilter(&counter);
    g_paints = 0;
    const auto status = demo::Lib().IC_Status;
    demo::Lib().IC_Status = StatusCountingPaints;
    app.OnCommand(demo::cmd::kReadCard);
    demo::Lib().IC_Status = status;
    EXPECT_GT(g_paints_when_asked, 0);
}

}  // namespace
