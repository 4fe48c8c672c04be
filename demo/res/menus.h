// SPDX-License-Identifier: MIT
// The program's menu bars as data: one bar per card family, swapped at run
// time by the view.
#pragma once

#include <string_view>

#include "demo/port/menu_bar.h"

namespace demo {

namespace menu {
constexpr int kMain = 2;
constexpr int kCpu = 135;
constexpr int kSerialMemory = 137;
constexpr int kProtectedMemory = 138;
constexpr int kAt88sc102 = 139;
constexpr int kAt88sc1604 = 141;
constexpr int kAt88sc1608 = 143;
}  // namespace menu

// The bar with resource identifier `id`; the main bar for unknown ids.
MenuBar LoadMenuBar(int id);

// The pop-up `popup` of a bar, found by its exact text; nullptr if missing.
MenuItem* FindPopup(MenuBar& bar, std::string_view popup);
// Removes the item with exact text `item` from the pop-up; false if missing.
bool RemoveItem(MenuBar& bar, std::string_view popup, std::string_view item);

}  // namespace demo
