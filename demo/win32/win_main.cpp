// SPDX-License-Identifier: MIT
// Demo for Windows: the demonstration and test program of the Tavix USB card
// reader in a plain Win32 window.
#define NOMINMAX
#include <windows.h>
#undef MessageBox
#undef DrawText

#include "demo/app/demo_app.h"
#include "demo/win32/win_ui.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*command_line*/,
                   int /*show*/) {
    demo::win32::WinUi ui(instance);
    demo::CDemoApp demo_app(ui);
    if (!demo_app.InitInstance()) return 1;
    return ui.RunMessageLoop();
}
