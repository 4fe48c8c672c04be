// SPDX-License-Identifier: MIT
#include "demo/app/qt_dialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include "demo/app/qt_text.h"

namespace demo {

QtDialog::QtDialog(Dialog& dialog, QWidget* parent, const QPalette& palette)
    : QDialog(parent), dialog_(dialog) {
    const DialogTemplate& tmpl = dialog.Template();
    const QFont font = DialogFont(tmpl.font, tmpl.point_size);
    setFont(font);
    setPalette(palette);
    // Dialog units: a quarter of the average character width, an eighth of
    // the character height.
    const QFontMetrics metrics(font);
    base_width_ =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52;
    base_height_ = metrics.height();
    setFixedSize(ToPixels(0, 0, tmpl.width, tmpl.height).size());
    for (const ControlTemplate& control : tmpl.controls) {
        QWidget* widget = CreateControl(control);
        widget->setGeometry(ToPixels(control.x, control.y, control.width, control.height));
        if (control.id == kIdStatic) continue;
        widget->setObjectName(QString::number(control.id));
        controls_[control.id] = widget;
    }
    dialog_.OnInitDialog();
    PushFields();
}

QRect QtDialog::ToPixels(int x, int y, int width, int height) const {
    return QRect(x * base_width_ / 4, y * base_height_ / 8, width * base_width_ / 4,
                 height * base_height_ / 8);
}

QWidget* QtDialog::CreateControl(const ControlTemplate& control) {
    const QString text = ToQString(control.text);
    const int id = control.id;
    switch (control.kind) {
        case ControlKind::kEdit: {
            auto* edit = new QLineEdit(text, this);
            if (control.max_length != 0) edit->setMaxLength(static_cast<int>(control.max_length));
            if (control.style & style::kUpperCase) {
                connect(edit, &QLineEdit::textEdited, this, [edit](const QString& typed) {
                    const int cursor = edit->cursorPosition();
                    edit->setText(typed.toUpper());
                    edit->setCursorPosition(cursor);
                });
            }
            connect(edit, &QLineEdit::textEdited, this, [this, id] {
                PullFields();
                dialog_.OnFieldChanged(id);
                PushFields();
            });
            return edit;
        }
        case ControlKind::kButton:
        case ControlKind::kDefaultButton: {
            auto* button = new QPushButton(text, this);
            button->setDefault(control.kind == ControlKind::kDefaultButton);
            button->setAutoDefault(control.kind == ControlKind::kDefaultButton);
            connect(button, &QPushButton::clicked, this, [this, id] { Press(id); });
            return button;
        }
        case ControlKind::kRadio: {
            auto* radio = new QRadioButton(text, this);
            connect(radio, &QRadioButton::clicked, this, [this, id] { Press(id); });
            return radio;
        }
        case ControlKind::kIcon: {
            auto* icon = new QLabel(this);
            icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
            return icon;
        }
        case ControlKind::kLabel:
            break;
    }
    auto* label = new QLabel(text, this);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void QtDialog::Press(int id) {
    PullFields();
    const DialogAction action = dialog_.OnButton(id);
    PushFields();
    Finish(action);
}

// The close box and Esc are the Cancel button.
void QtDialog::reject() {
    Press(kIdCancel);
}

void QtDialog::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        const QPoint at = event->position().toPoint();
        dialog_.OnRButtonDblClk(at.x(), at.y());
        PushFields();
    }
    QDialog::mouseDoubleClickEvent(event);
}

void QtDialog::Finish(DialogAction action) {
    if (action == DialogAction::kEndOk) QDialog::accept();
    if (action == DialogAction::kEndCancel) QDialog::reject();
}

void QtDialog::PullFields() {
    for (auto& [id, widget] : controls_) {
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            dialog_.SetText(id, edit->text().toLatin1().toStdString());
    }
}

void QtDialog::PushFields() {
    setWindowTitle(ToQString(dialog_.Title()));
    for (auto& [id, widget] : controls_) {
        const QString text = ToQString(dialog_.Text(id));
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            if (edit->text() != text) edit->setText(text);
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (label->pixmap().isNull()) label->setText(text);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            button->setText(text);
        }
        widget->setVisible(dialog_.Visible(id));
    }
    if (std::optional<int> focus = dialog_.TakeFocusRequest()) {
        if (auto* edit = qobject_cast<QLineEdit*>(controls_[*focus])) {
            edit->setFocus();
            edit->selectAll();
        }
    }
}

}  // namespace demo
