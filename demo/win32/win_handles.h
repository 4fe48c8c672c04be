// SPDX-License-Identifier: MIT
// The Windows handle types the adapter's headers name, declared as the
// system headers declare them, so that only the adapter's sources include
// <windows.h> (its macros would rename UiPort::MessageBox and DrawText).
#pragma once

struct HACCEL__;
struct HBITMAP__;
struct HDC__;
struct HFONT__;
struct HINSTANCE__;
struct HMENU__;
struct HWND__;
