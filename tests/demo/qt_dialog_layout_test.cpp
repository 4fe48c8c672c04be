// SPDX-License-Identifier: MIT
// The Windows program's dialogs, as its dialog manager reads them from the
// bytes built in memory, and the Qt program's dialogs have the same title,
// font, size and controls at the same places in dialog units.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "demo/app/qt_dialog.h"
#include "demo/app/qt_ui.h"
#include "demo/res/dialog_templates.h"
#include "demo/res/secure_dialog_templates.h"
#include "demo/win32/dialog_bytes.h"
#include "tests/demo/qt_test_support.h"

namespace {

using namespace demo::win32;

struct ReadControl {
    std::uint32_t style = 0;
    int x = 0, y = 0, width = 0, height = 0;
    int id = 0;
    std::uint16_t window_class = 0;
};

struct ReadDialog {
    int width = 0, height = 0;
    std::string title, font;
    int point_size = 0;
    std::vector<ReadControl> controls;
};

// Reads the template as the dialog manager does.
class Reader {
  public:
    explicit Reader(std::span<const std::uint16_t> words) : words_(words) {}
    std::uint16_t Word() { return words_[at_++]; }
    std::uint32_t Dword() { return Word() | static_cast<std::uint32_t>(Word()) << 16; }
    int Short() { return static_cast<std::int16_t>(Word()); }
    // A text, or "#" and the number of an ordinal.
    std::string Text() {
        if (words_[at_] == 0xFFFF) {
            Skip(1);
            return "#" + std::to_string(Word());
        }
        std::string text;
        while (std::uint16_t c = Word()) text += static_cast<char>(c);
        return text;
    }
    void Skip(std::size_t words) { at_ += words; }
    void AlignDword() { at_ += at_ % 2; }

  private:
    std::span<const std::uint16_t> words_;
    std::size_t at_ = 0;
};

ReadDialog Read(std::span<const std::uint16_t> words) {
    Reader in(words);
    EXPECT_EQ(in.Dword(), 0xFFFF0001u);  // extended form, version 1
    in.Skip(6);                          // help context, extended style, style
    ReadDialog dialog;
    const int count = in.Word();
    in.Skip(2);  // position
    dialog.width = in.Short();
    dialog.height = in.Short();
    EXPECT_EQ(in.Text(), "");  // menu
    EXPECT_EQ(in.Text(), "");  // class
    dialog.title = in.Text();
    dialog.point_size = in.Word();
    in.Skip(2);  // weight, italic and character set
    dialog.font = in.Text();
    for (int i = 0; i < count; ++i) {
        in.AlignDword();
        in.Skip(4);  // help context, extended style
        ReadControl c;
        c.style = in.Dword();
        c.x = in.Short();
        c.y = in.Short();
        c.width = in.Short();
        c.height = in.Short();
        c.id = static_cast<std::int32_t>(in.Dword());
        c.window_class = static_cast<std::uint16_t>(std::stoi(in.Text().substr(1)));
        in.Text();
        EXPECT_EQ(in.Word(), 0);  // no creation data
        dialog.controls.push_back(c);
    }
    return dialog;
}

// The Qt widget and the Windows control are of the same kind.
bool SameKind(const QWidget* widget, const ReadControl& c) {
    const std::uint32_t button_type = c.style & 0x0F;
    switch (c.window_class) {
        case dlg_class::kEdit:
            return qobject_cast<const QLineEdit*>(widget);
        case dlg_class::kStatic:
            return qobject_cast<const QLabel*>(widget);
        default:
            break;
    }
    if (button_type == dlg_style::kAutoRadio) return qobject_cast<const QRadioButton*>(widget);
    auto* button = qobject_cast<const QPushButton*>(widget);
    return button && button->isDefault() == (button_type == dlg_style::kDefaultButton);
}

using qt_test::QtWindowTest;

TEST_F(QtWindowTest, EveryDialogIsLaidOutAlikeOnWindowsAndInQt) {
    demo::QtUi ui;
    for (const demo::DialogTemplate* tmpl :
         {&demo::AboutDialogTemplate(), &demo::PageDialogTemplate(), &demo::PassDialogTemplate(),
          &demo::CpuCardDialogTemplate(), &demo::PassAuthDialogTemplate(),
          &demo::AuthDialogTemplate(), &demo::DeviceDialogTemplate()}) {
        SCOPED_TRACE(tmpl->id);
        const ReadDialog win = Read(DialogTemplateBytes(*tmpl));
        demo::Dialog logic(*tmpl, ui);
        demo::QtDialog qt(logic, nullptr, QPalette());
        EXPECT_EQ(qt.windowTitle().toStdString(), win.title);
        EXPECT_EQ(win.font, tmpl->font);
        EXPECT_EQ(win.point_size, tmpl->point_size);
        EXPECT_EQ(qt.size(), qt.ToPixels(0, 0, win.width, win.height).size());
        const QList<QWidget*> widgets = qt.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        ASSERT_EQ(widgets.size(), static_cast<qsizetype>(win.controls.size()));
        for (qsizetype i = 0; i < widgets.size(); ++i) {
            const ReadControl& c = win.controls[static_cast<std::size_t>(i)];
            SCOPED_TRACE(c.id);
            EXPECT_EQ(widgets[i]->geometry(), qt.ToPixels(c.x, c.y, c.width, c.height));
            EXPECT_TRUE(SameKind(widgets[i], c));
            EXPECT_EQ(widgets[i]->isHidden(), (c.style & dlg_style::kVisible) == 0);
            if (c.id != demo::kIdStatic) {
                EXPECT_EQ(widgets[i]->objectName().toInt(), c.id);
            }
        }
    }
}

}  // namespace
