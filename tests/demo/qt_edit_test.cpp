// SPDX-License-Identifier: MIT
// Editing in the real Qt program, offscreen, on a simulated SLE4442: keys as
// the keyboard sends them, the write back, a second read, and a screenshot of
// edit mode with the caret and a marked byte.
#include <gtest/gtest.h>

#include <QShortcut>
#include <QTest>

#include "demo/app/demo_app.h"
#include "demo/app/qt_ui.h"
#include "demo/app/qt_window.h"
#include "demo/res/command_ids.h"
#include "sim/card_sle4442.h"
#include "tests/demo/qt_test_support.h"
#include "tests/demo/view_state_access.h"
#include "vexa.h"

namespace {

using namespace qt_test;

class QtEditTest : public QtWindowTest {
  protected:
    // Start-up, "Read Card" and "Write Card" on the SLE4442 with its code
    // presented.
    void StartEditing() {
        ASSERT_TRUE(app.InitInstance());
        ASSERT_TRUE(ProcessUntil([&] { return demo_test::StateOf(app.View()).m_nCardType == 17; }));
        ProcessUntil([] { return false; });
        app.OnCommand(demo::cmd::kReadCard);
        const unsigned char code[3] = {0xFF, 0xFF, 0xFF};
        ASSERT_EQ(IC_CheckPass_SLE4442(demo_test::StateOf(app.View()).m_icdev, code), 0);
        app.OnCommand(demo::cmd::kWriteCard);
        ProcessUntil([] { return false; });
        canvas = ui.Window()->centralWidget();
    }

    sim::Sle4442Card& Card() { return dynamic_cast<sim::Sle4442Card&>(*host.reader().card()); }

    // The window's pixels of the client area at view point (x, y).
    QImage Client() const {
        const QImage shot = ui.Grab();
        const int menu_height = shot.height() - canvas->height();
        return shot.copy(0, menu_height, canvas->width(), canvas->height());
    }

    demo::QtUi ui;
    demo::CDemoApp app{ui};
    QWidget* canvas = nullptr;
};

TEST_F(QtEditTest, TypesWritesBackAndReadsAgain) {
    StartEditing();
    QTest::keyClick(canvas, Qt::Key_Down);
    QTest::keyClick(canvas, Qt::Key_Down);
    QTest::keyClicks(canvas, "4a6B");  // bytes 32 and 33
    QTest::keyClick(canvas, Qt::Key_Tab);
    QTest::keyClicks(canvas, "Hi");  // bytes 34 and 35
    QTest::keyClick(canvas, Qt::Key_Tab);
    QTest::keyClick(canvas, Qt::Key_Up);
    QTest::keyClick(canvas, Qt::Key_Up);
    QTest::keyClick(canvas, Qt::Key_Home);
    for (int i = 0; i < 20; ++i) QTest::keyClick(canvas, Qt::Key_Right);
    QTest::keyClick(canvas, Qt::Key_Space);  // marks byte 10
    ProcessUntil([] { return false; });
    EXPECT_EQ(demo_test::StateOf(app.View()).m_ProtState4442[10], 0);

    const QImage shot = Client();
    EXPECT_TRUE(ui.Grab().save(Screenshot("edit_mode.png")));
    // Byte 10 is red, and the lit caret inverts the navy around its digit.
    const QRect byte10(33 + 27 * 10, 32, 18, 15);
    EXPECT_GT(CountPixels(shot, byte10, Qt::red), 0);
    EXPECT_GT(CountPixels(shot, QRect(33 + 27 * 10, 32, 8, 15), QColor(255, 255, 127)), 0);

    QTest::keyClick(canvas, Qt::Key_F5);
    ProcessUntil([] { return false; });
    EXPECT_EQ(app.Doc().m_nModifiedRows, 0);
    EXPECT_EQ(Card().memory.main[32], 0x4A);
    EXPECT_EQ(Card().memory.main[33], 0x6B);
    EXPECT_EQ(Card().memory.main[34], 'H');
    EXPECT_EQ(Card().memory.main[35], 'i');
    EXPECT_FALSE(Card().Writable(10));

    app.OnCommand(demo::cmd::kReadCard);
    ProcessUntil([] { return false; });
    EXPECT_EQ(demo_test::StateOf(app.View()).m_nReadState, 2);
    EXPECT_EQ(app.Doc().m_HexCells[33], std::string("6b"));
    EXPECT_EQ(demo_test::StateOf(app.View()).m_ProtState4442[10], 0);
}

TEST_F(QtEditTest, EditKeysReachTheViewBeforeAnyShortcut) {
    StartEditing();
    int fired = 0;
    QShortcut tab(QKeySequence(Qt::Key_Tab), ui.Window());
    QShortcut f(QKeySequence(Qt::Key_F), ui.Window());
    QShortcut enter(QKeySequence(Qt::Key_Return), ui.Window());
    for (QShortcut* shortcut : {&tab, &f, &enter}) {
        QObject::connect(shortcut, &QShortcut::activated, [&] { ++fired; });
    }
    canvas->setFocus();
    QTest::keyClick(canvas, Qt::Key_F, Qt::NoModifier);
    QTest::keyClick(canvas, Qt::Key_Tab);
    ProcessUntil([] { return false; });
    EXPECT_EQ(demo_test::StateOf(app.View()).m_nCaretPane, 1);
    EXPECT_EQ(app.Doc().m_HexCells[0][0], 'f');
    QTest::keyClick(canvas, Qt::Key_Return);
    EXPECT_EQ(app.Doc().m_nModifiedRows, 0) << "written back";
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(canvas, QApplication::focusWidget()) << "Tab kept the focus on the view";
}

}  // namespace
