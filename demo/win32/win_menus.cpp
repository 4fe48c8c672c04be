// SPDX-License-Identifier: MIT
#define NOMINMAX
#include <windows.h>
#undef MessageBox
#undef DrawText

#include <string_view>
#include <vector>

#include "demo/res/accelerators.h"
#include "demo/win32/win_menus.h"

namespace demo::win32 {

namespace {

void AppendItems(HMENU menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if (item.IsSeparator()) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        } else if (item.IsPopup()) {
            HMENU popup = CreatePopupMenu();
            AppendItems(popup, item.items);
            AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                        item.text.c_str());
        } else {
            AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.command), item.text.c_str());
        }
    }
}

// "F1", "Ctrl+7", "Ctrl+E": a function key, or Ctrl with a digit or letter
// (whose virtual-key codes are their capital characters).
ACCEL ToAccel(const Accelerator& accelerator) {
    constexpr std::string_view kCtrl = "Ctrl+";
    std::string_view keys = accelerator.keys;
    ACCEL accel{};
    accel.cmd = static_cast<WORD>(accelerator.command);
    accel.fVirt = FVIRTKEY;
    if (keys.starts_with(kCtrl)) {
        accel.fVirt |= FCONTROL;
        keys.remove_prefix(kCtrl.size());
    }
    if (keys.size() > 1 && keys.front() == 'F') {
        int number = 0;
        for (const char c : keys.substr(1)) number = number * 10 + (c - '0');
        accel.key = static_cast<WORD>(VK_F1 + number - 1);
    } else if (!keys.empty()) {
        accel.key = static_cast<WORD>(keys.front());
    }
    return accel;
}

}  // namespace

HMENU__* BuildMenuBar(const MenuBar& bar) {
    HMENU menu = CreateMenu();
    AppendItems(menu, bar);
    return menu;
}

HACCEL__* BuildAccelerators() {
    std::vector<ACCEL> table;
    for (const Accelerator& accelerator : Accelerators()) table.push_back(ToAccel(accelerator));
    return CreateAcceleratorTableA(table.data(), static_cast<int>(table.size()));
}

}  // namespace demo::win32
