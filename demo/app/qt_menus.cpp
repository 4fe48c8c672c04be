// SPDX-License-Identifier: MIT
#include "demo/app/qt_menus.h"

#include <QApplication>
#include <QFontInfo>
#include <QMenu>
#include <QResizeEvent>

#include "demo/app/qt_text.h"

namespace demo {

namespace {

// Menu bars that run out of room wrap to a second row on the platform the
// program comes from; a Qt bar hides what does not fit behind a button. In
// the fixed-width window every item must show, so the bar takes the
// condensed face of its font, and smaller sizes only if that is still too
// wide. All bars get the same font as long as the condensed face fits.
class FittingMenuBar : public QMenuBar {
  protected:
    void resizeEvent(QResizeEvent* event) override {
        Fit(event->size().width());
        QMenuBar::resizeEvent(event);
    }

  private:
    static constexpr int kSmallestPixels = 8;

    void Fit(int width) {
        const QFont normal = QApplication::font(this);
        QFont font = normal;
        font.setFamily("DejaVu Sans Condensed");
        for (int pixels = QFontInfo(normal).pixelSize(); pixels >= kSmallestPixels; --pixels) {
            font.setPixelSize(pixels);
            setFont(font);
            if (sizeHint().width() <= width) return;
        }
    }
};

// Menu texts carry no mnemonics: a literal '&' must stay one.
QString MenuText(const std::string& text) {
    return ToQString(text).replace("&", "&&");
}

void AddItems(QWidget* menu, const std::vector<MenuItem>& items,
              const std::function<void(int)>& on_command) {
    for (const MenuItem& item : items) {
        auto* qmenu = qobject_cast<QMenu*>(menu);
        if (item.IsSeparator()) {
            if (qmenu) qmenu->addSeparator();
            continue;
        }
        if (item.IsPopup()) {
            auto* popup = new QMenu(MenuText(item.text), menu);
            AddItems(popup, item.items, on_command);
            menu->addAction(popup->menuAction());
            continue;
        }
        auto* action = new QAction(MenuText(item.text), menu);
        const int command = item.command;
        QObject::connect(action, &QAction::triggered, menu,
                         [on_command, command] { on_command(command); });
        menu->addAction(action);
    }
}

}  // namespace

QMenuBar* BuildMenuBar(const MenuBar& bar, const std::function<void(int)>& on_command) {
    auto* qbar = new FittingMenuBar;
    AddItems(qbar, bar, on_command);
    return qbar;
}

bool RemoveQtMenuItem(QMenuBar* bar, const QString& popup, const QString& item) {
    for (QAction* top : bar->actions()) {
        QMenu* menu = top->menu();
        if (!menu || top->text() != popup) continue;
        for (QAction* action : menu->actions()) {
            if (action->text() != item) continue;
            menu->removeAction(action);
            delete action;
            return true;
        }
        return false;
    }
    return false;
}

}  // namespace demo
