// SPDX-License-Identifier: MIT
// Menu bars built from the program's menu data.
#pragma once

#include <QMenuBar>
#include <QString>
#include <functional>

#include "demo/res/menus.h"

namespace demo {

QMenuBar* BuildMenuBar(const MenuBar& bar, const std::function<void(int)>& on_command);
// Removes the item with text `item` from the top-level pop-up `popup`.
bool RemoveQtMenuItem(QMenuBar* bar, const QString& popup, const QString& item);

}  // namespace demo
