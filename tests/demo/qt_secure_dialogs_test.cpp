// SPDX-License-Identifier: MIT
// The secure-memory password dialog, the authentication dialog and the
// device control dialog in the real Qt program, offscreen: laid out from
// their templates, the password typed in capitals and cut at six
// characters, the concealed "page mode" button revealed by a right double
// click in the corner only, the reader memory written and read back through
// the simulated reader, and the help window. Leaves screenshots in the build
// tree.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <functional>

#include "demo/app/demo_app.h"
#include "demo/app/qt_help.h"
#include "demo/app/qt_ui.h"
#include "demo/dialogs/dialog.h"
#include "demo/res/command_ids.h"
#include "tests/demo/qt_test_support.h"
#include "tests/demo/view_state_access.h"

namespace {

using namespace qt_test;

template <class W>
W* Control(QDialog& dialog, int id) {
    return dialog.findChild<W*>(QString::number(id));
}

// Plays the operator: acts once on the first dialog that opens, and answers
// and records every message box shown meanwhile. A timer does not fire
// again while its handler runs, so the message boxes that the dialog's
// buttons open are answered from a timer of their own.
class Operator {
  public:
    explicit Operator(std::function<void(QDialog&)> act) : act_(std::move(act)) {
        QObject::connect(&dialog_timer_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog && !qobject_cast<QMessageBox*>(dialog) && !done) {
                done = true;
                act_(*dialog);
            }
        });
        QObject::connect(&message_timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                messages << box->text();
                const int caption = box->fontMetrics().horizontalAdvance(box->windowTitle());
                EXPECT_GT(box->width(), caption * 5 / 4 + 60) << "whole caption and buttons";
                box->accept();
            }
        });
        dialog_timer_.start(0);
        message_timer_.start(0);
    }
    QStringList messages;
    bool done = false;

  private:
    std::function<void(QDialog&)> act_;
    QTimer dialog_timer_;
    QTimer message_timer_;
};

class QtSecureDialogsTest : public QtWindowTest {
  protected:
    void SetUp() override {
        QtWindowTest::SetUp();
        ASSERT_TRUE(app.InitInstance());
        ASSERT_TRUE(ProcessUntil([&] { return demo_test::StateOf(app.View()).m_nCardType == 17; }));
        ProcessUntil([] { return false; });
    }
    // Runs the command; `act` operates the dialog it opens.
    QStringList Run(int command, std::function<void(QDialog&)> act) {
        Operator op(std::move(act));
        app.OnCommand(command);
        ProcessUntil([&] { return op.done && !QApplication::activeModalWidget(); });
        EXPECT_TRUE(op.done);
        return op.messages;
    }

    demo::QtUi ui;
    demo::CDemoApp app{ui};
};

TEST_F(QtSecureDialogsTest, ThePasswordDialogTakesSixCapitalsAndShowsTheCount) {
    QString title;
    QStringList misplaced;
    QString typed;
    QString count;
    const QStringList messages = Run(demo::cmd::kCheckWritePass, [&](QDialog& dialog) {
        title = dialog.windowTitle();
        misplaced = MisplacedControls(dialog);
        count = Control<QLabel>(dialog, 1010)->text();
        auto* pass = Control<QLineEdit>(dialog, 1007);
        pass->setFocus();
        TypeKeys(pass, "abc1234");
        typed = pass->text();
        dialog.grab().save(Screenshot("secure_pass_dialog.png"));
        Control<QPushButton>(dialog, demo::kIdOk)->click();
    });
    EXPECT_EQ(title, "check write pass");
    EXPECT_TRUE(misplaced.isEmpty()) << misplaced.join(", ").toStdString();
    EXPECT_EQ(count, "current pass count:") << "this library has no count to give";
    EXPECT_EQ(typed, "ABC123");
    EXPECT_EQ(messages, QStringList{"Check WPass Fail"});
}

TEST_F(QtSecureDialogsTest, TheAuthenticationDialogReportsEachStep) {
    QString title;
    QStringList misplaced;
    QString count;
    const QStringList messages = Run(demo::cmd::kAuth, [&](QDialog& dialog) {
        title = dialog.windowTitle();
        misplaced = MisplacedControls(dialog);
        count = Control<QLabel>(dialog, 1016)->text();
        auto* random = Control<QLineEdit>(dialog, 1017);
        random->setFocus();
        TypeKeys(random, "0123456789abcdef0");
        dialog.grab().save(Screenshot("auth_dialog.png"));
        Control<QPushButton>(dialog, 1013)->click();
        Control<QPushButton>(dialog, 1015)->click();
        Control<QPushButton>(dialog, demo::kIdCancel)->click();
    });
    EXPECT_EQ(title, "auth each other");
    EXPECT_TRUE(misplaced.isEmpty()) << misplaced.join(", ").toStdString();
    EXPECT_EQ(count, "Current Auth Count:    ");
    EXPECT_EQ(messages, (QStringList{"Init Auth Error!", "Read card CI Error!"}));
}

TEST_F(QtSecureDialogsTest, TheDeviceDialogRevealsPageModeInTheCornerAndUsesTheReaderMemory) {
    host.reader().Remove();  // the reader's memory answers while the slot is empty
    QStringList misplaced;
    bool hidden_at_open = false;
    bool shown_after_far_click = true;
    bool shown_after_corner_click = false;
    QString read_back;
    const QStringList messages = Run(demo::cmd::kDeviceControl, [&](QDialog& dialog) {
        misplaced = MisplacedControls(dialog);
        QPushButton* page_mode = Control<QPushButton>(dialog, demo::kIdOk);
        hidden_at_open = page_mode->isHidden();
        dialog.grab().save(Screenshot("device_dialog.png"));
        QTest::mouseDClick(&dialog, Qt::RightButton, {}, QPoint(10, 10));
        shown_after_far_click = !page_mode->isHidden();
        QTest::mouseDClick(&dialog, Qt::RightButton, {}, QPoint(2, 2));
        shown_after_corner_click = !page_mode->isHidden();

        auto* data = Control<QLineEdit>(dialog, 1003);
        data->setFocus();
        TypeKeys(data, "Hi");
        Control<QPushButton>(dialog, 1015)->click();
        data->clear();
        Control<QPushButton>(dialog, 1016)->click();
        read_back = data->text();
        dialog.grab().save(Screenshot("device_dialog_page_mode.png"));
        Control<QPushButton>(dialog, demo::kIdCancel)->click();
    });
    EXPECT_TRUE(misplaced.isEmpty()) << misplaced.join(", ").toStdString();
    EXPECT_TRUE(hidden_at_open);
    EXPECT_FALSE(shown_after_far_click);
    EXPECT_TRUE(shown_after_corner_click);
    EXPECT_EQ(messages, QStringList{"write data succeed"});
    EXPECT_EQ(read_back, "Hi");
    EXPECT_EQ(host.reader().memory().bytes()[0], 'H');
}

TEST_F(QtSecureDialogsTest, HelpShowsTheProgramsDocumentInAWindow) {
    ASSERT_TRUE(ui.OpenHelp(DEMO_HELP_FILE));
    ASSERT_NE(ui.Help(), nullptr);
    EXPECT_TRUE(ui.Help()->isVisible());
    const QString text = ui.Help()->Browser()->toPlainText();
    EXPECT_TRUE(text.contains("Device control")) << text.left(200).toStdString();
    EXPECT_TRUE(text.contains("Edit mode keys"));
    ProcessUntil([] { return false; });
    ui.Help()->grab().save(Screenshot("help_window.png"));

    EXPECT_FALSE(ui.OpenHelp("/nonexistent/demo-help.html"));
    EXPECT_EQ(demo::FindHelpFile("no-such-help.html"), QString());
}

}  // namespace
