// SPDX-License-Identifier: MIT
// The colours of the view: the navy data field, the grey status panel and
// the colours that mark memory areas and protection.
#pragma once

#include "demo/port/ui_port.h"

namespace demo::color {

constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kGrey{192, 192, 192};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kMaroon{128, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kMagenta{255, 0, 255};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kCyan{0, 255, 255};

}  // namespace demo::color
