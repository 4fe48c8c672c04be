#include "demo/app/qt_menus.h"

#include <QMenu>

#include "demo/app/qt_text.h"

namespace demo {

namespace {

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
    auto* qbar = new QMenuBar;
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
