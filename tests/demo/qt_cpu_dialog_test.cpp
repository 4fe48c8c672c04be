// SPDX-License-Identifier: MIT
// The "CPU card" dialog in the real Qt program, offscreen, on a simulated
// T=1 CPU card: opened from its menu, laid out from its template, reset and
// a command typed in lower case; leaves a screenshot in the build tree.
#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "demo/app/demo_app.h"
#include "demo/app/qt_ui.h"
#include "demo/app/qt_window.h"
#include "sim/card_factory.h"
#include "tests/demo/qt_test_support.h"
#include "tests/demo/view_state_access.h"

namespace {

using namespace qt_test;

QAction* MenuItem(QMenuBar* bar, const QString& text) {
    for (QAction* action : bar->actions()) {
        if (action->text() == text) return action;
    }
    return nullptr;
}

// What the operator saw and did in the dialog.
struct Visit {
    QString title;
    QString font_family;
    bool radio_checked = true;
    int command_max_length = 0;
    QString answer_to_reset;
    QString command;
    QString response;
    QStringList controls_outside;  // controls not within the dialog
    QStringList clipped_captions;  // captions wider than their control
    bool done = false;
};

void CheckLayout(QDialog& dialog, Visit& visit) {
    for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QString name =
            child->objectName().isEmpty() ? child->metaObject()->className() : child->objectName();
        if (!dialog.rect().contains(child->geometry())) visit.controls_outside << name;
        if (auto* button = qobject_cast<QAbstractButton*>(child)) {
            if (button->sizeHint().width() > button->width() + 8) visit.clipped_captions << name;
        }
    }
}

void Operate(QDialog& dialog, Visit& visit) {
    visit.title = dialog.windowTitle();
    visit.font_family = QFontInfo(dialog.font()).family();
    visit.radio_checked = dialog.findChild<QRadioButton*>("1030")->isChecked() ||
                          dialog.findChild<QRadioButton*>("1029")->isChecked();
    auto* command = dialog.findChild<QLineEdit*>("1006");
    visit.command_max_length = command->maxLength();
    CheckLayout(dialog, visit);

    dialog.findChild<QRadioButton*>("1030")->click();
    dialog.findChild<QPushButton*>("1003")->click();
    visit.answer_to_reset = dialog.findChild<QLineEdit*>("1004")->text();
    command->setFocus();
    TypeKeys(command, "00a40000023f00");
    visit.command = command->text();
    QTest::keyClick(command, Qt::Key_Return);  // presses "command"
    visit.response = dialog.findChild<QLineEdit*>("1007")->text();
    dialog.grab().save(Screenshot("cpu_dialog.png"));
    dialog.findChild<QPushButton*>("2")->click();
    visit.done = true;
}

TEST_F(QtWindowTest, TheCpuDialogOpensFromItsMenuResetsTheCardAndSendsACommand) {
    host.reader().Insert(sim::MakeCard("cpu-t1"));
    demo::QtUi ui;
    demo::CDemoApp app(ui);
    ASSERT_TRUE(app.InitInstance());
    ASSERT_TRUE(ProcessUntil([&] { return demo_test::StateOf(app.View()).m_nCardType == 12; }));
    ProcessUntil([] { return false; });
    QAction* item = MenuItem(ui.Window()->menuBar(), "CPU Card");
    ASSERT_NE(item, nullptr);

    Visit visit;
    QTimer operator_;
    QObject::connect(&operator_, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && !visit.done) Operate(*dialog, visit);
    });
    operator_.start(0);
    item->trigger();
    ASSERT_TRUE(ProcessUntil([&] { return visit.done && !QApplication::activeModalWidget(); }));
    operator_.stop();

    EXPECT_EQ(visit.title, "CPU card");
    EXPECT_EQ(visit.font_family, "Liberation Serif");
    EXPECT_FALSE(visit.radio_checked) << "neither slot is chosen when the dialog opens";
    EXPECT_EQ(visit.command_max_length, 510);
    EXPECT_TRUE(visit.controls_outside.isEmpty())
        << visit.controls_outside.join(", ").toStdString();
    EXPECT_TRUE(visit.clipped_captions.isEmpty())
        << visit.clipped_captions.join(", ").toStdString();
    EXPECT_EQ(visit.answer_to_reset, "3B808131FE458B");
    EXPECT_EQ(visit.command, "00A40000023F00");
    EXPECT_EQ(visit.response, "9000");
}

}  // namespace
