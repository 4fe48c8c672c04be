// SPDX-License-Identifier: MIT
// Shows a dialog of the program's logic as a Qt dialog built from its
// template: fields are copied to the logic before each button is handled and
// back afterwards.
#pragma once

#include <QDialog>
#include <QPalette>
#include <map>

#include "demo/dialogs/dialog.h"

class QMouseEvent;
class QWidget;

namespace demo {

class QtDialog : public QDialog {
  public:
    QtDialog(Dialog& dialog, QWidget* parent, const QPalette& palette);

    void reject() override;
    // Dialog units to pixels, as the controls are laid out.
    QRect ToPixels(int x, int y, int width, int height) const;

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QWidget* CreateControl(const ControlTemplate& control);
    void Press(int id);
    void PullFields();
    void PushFields();
    void Finish(DialogAction action);

    Dialog& dialog_;
    std::map<int, QWidget*> controls_;
    int base_width_ = 0;
    int base_height_ = 0;
};

}  // namespace demo
