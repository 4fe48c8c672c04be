// SPDX-License-Identifier: MIT
// A dialog template in the binary form the Windows dialog manager reads
// (DLGTEMPLATEEX), built from the same data the Qt dialogs are laid out from:
// the dialogs of both windows have one source.
#pragma once

#include <cstdint>
#include <vector>

#include "demo/port/dialog_template.h"

namespace demo::win32 {

// The resource number of the program's icon, which icon controls show.
constexpr int kIconResource = 2;

// Window, dialog and control style bits of the template, as Windows
// defines them.
namespace dlg_style {
constexpr std::uint32_t kChild = 0x40000000;
constexpr std::uint32_t kVisible = 0x10000000;
constexpr std::uint32_t kTabStop = 0x00010000;
constexpr std::uint32_t kGroup = 0x00020000;
constexpr std::uint32_t kBorder = 0x00800000;
constexpr std::uint32_t kPopup = 0x80000000;
constexpr std::uint32_t kCaption = 0x00C00000;
constexpr std::uint32_t kSysMenu = 0x00080000;
constexpr std::uint32_t kModalFrame = 0x80;
constexpr std::uint32_t kSetFont = 0x40;
constexpr std::uint32_t kEditAutoScroll = 0x80;
constexpr std::uint32_t kEditUpperCase = 0x08;
constexpr std::uint32_t kDefaultButton = 0x01;
constexpr std::uint32_t kAutoRadio = 0x09;
constexpr std::uint32_t kStaticIcon = 0x03;
}  // namespace dlg_style

// The predefined window classes of controls, by their atoms.
namespace dlg_class {
constexpr std::uint16_t kButton = 0x0080;
constexpr std::uint16_t kEdit = 0x0081;
constexpr std::uint16_t kStatic = 0x0082;
}  // namespace dlg_class

// The control as the dialog manager creates it.
struct ControlBytes {
    std::uint16_t window_class;
    std::uint32_t style;
};
ControlBytes DescribeControl(const ControlTemplate& control);

// The template as 16-bit words (the form is word-aligned throughout, and
// each control starts on a 32-bit boundary of the returned buffer).
std::vector<std::uint16_t> DialogTemplateBytes(const DialogTemplate& tmpl);

}  // namespace demo::win32
