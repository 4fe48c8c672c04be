// SPDX-License-Identifier: MIT
// The menu bars and accelerator keys of the Windows program, made from the
// same data as the Qt window's.
#pragma once

#include "demo/port/menu_bar.h"
#include "demo/win32/win_handles.h"

namespace demo::win32 {

// A menu bar with the items, pop-ups and separators of `bar`.
HMENU__* BuildMenuBar(const MenuBar& bar);
// The accelerator table of the program's keys without menu items.
HACCEL__* BuildAccelerators();

}  // namespace demo::win32
