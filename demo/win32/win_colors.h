// SPDX-License-Identifier: MIT
// The program's colours as the Windows drawing functions take them.
#pragma once

#include <cstdint>

#include "demo/port/ui_port.h"

namespace demo::win32 {

// A COLORREF: red in the low byte.
constexpr std::uint32_t ToColorRef(Rgb rgb) {
    return rgb.r | static_cast<std::uint32_t>(rgb.g) << 8 | static_cast<std::uint32_t>(rgb.b) << 16;
}

}  // namespace demo::win32
