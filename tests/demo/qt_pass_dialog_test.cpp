// SPDX-License-Identifier: MIT
// The password dialog as Qt shows it: laid out from its template, focus in
// the empty field, letters typed in capitals; the code typed reaches the
// simulated card. Leaves a screenshot of the dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "demo/app/demo_app.h"
#include "demo/app/qt_ui.h"
#include "demo/res/command_ids.h"
#include "sim/card_sle4442.h"
#include "tests/demo/qt_test_support.h"
#include "tests/demo/view_state_access.h"

namespace {

using namespace qt_test;

// What the operator saw in the dialog.
struct Seen {
    QString title;
    QString text_at_open = "unset";
    bool field_focused = false;
    QString typed;
    bool inside = true;  // every control within the dialog
    bool overlaps = false;
};

Seen OperateDialog(QDialog& dialog, const QString& keys) {
    Seen seen;
    seen.title = dialog.windowTitle();
    auto* edit = dialog.findChild<QLineEdit*>();
    seen.text_at_open = edit->text();
    seen.field_focused = dialog.focusWidget() == edit;
    TypeKeys(edit, keys);
    seen.typed = edit->text();
    QList<QWidget*> controls = dialog.findChildren<QWidget*>();
    for (QWidget* a : controls) {
        seen.inside = seen.inside && dialog.rect().contains(a->geometry());
        for (QWidget* b : controls)
            seen.overlaps |= a != b && a->geometry().intersects(b->geometry());
    }
    dialog.grab().save(Screenshot("pass_dialog.png"));
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == "ok") button->click();
    }
    return seen;
}

TEST_F(QtWindowTest, ThePassDialogTakesTheCodeTypedInCapitals) {
    demo::QtUi ui;
    demo::CDemoApp app(ui);
    ASSERT_TRUE(app.InitInstance());
    ASSERT_TRUE(ProcessUntil([&] { return demo_test::StateOf(app.View()).m_nCardType == 17; }));
    ProcessUntil([] { return false; });
    Seen seen;
    QTimer operator_;
    QObject::connect(&operator_, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible()) seen = OperateDialog(*dialog, "ffFfff");
    });
    operator_.start(0);
    app.OnCommand(demo::cmd::kCheckPass);
    operator_.stop();

    EXPECT_EQ(seen.title, "input pass");
    EXPECT_EQ(seen.text_at_open, "");
    EXPECT_TRUE(seen.field_focused);
    EXPECT_EQ(seen.typed, "FFFFFF");
    EXPECT_TRUE(seen.inside);
    EXPECT_FALSE(seen.overlaps);
    EXPECT_TRUE(dynamic_cast<sim::Sle4442Card&>(*host.reader().card()).verified());
}

}  // namespace
