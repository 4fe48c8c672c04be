// SPDX-License-Identifier: MIT
// Modal dialogs of the Windows program, built in memory from the dialog's
// template.
#pragma once

#include "demo/dialogs/dialog.h"
#include "demo/port/ui_port.h"
#include "demo/win32/win_handles.h"

namespace demo::win32 {

struct DialogColors {
    Rgb background;
    Rgb text;
};

// Shows `dialog` modally over `owner`; true when it ended with OK.
bool RunDialog(HINSTANCE__* instance, HWND__* owner, Dialog& dialog, DialogColors colors);

}  // namespace demo::win32
