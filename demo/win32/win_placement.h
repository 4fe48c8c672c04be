// SPDX-License-Identifier: MIT
// Where the Windows program puts its secondary windows.
#pragma once

#include "demo/win32/win_handles.h"

namespace demo::win32 {

// Centres `window` over `owner`, or over the screen without one.
void CenterOver(HWND__* window, HWND__* owner);

}  // namespace demo::win32
