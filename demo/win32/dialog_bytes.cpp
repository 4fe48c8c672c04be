// SPDX-License-Identifier: MIT
#include "demo/win32/dialog_bytes.h"

#include <string_view>

namespace demo::win32 {

namespace {

class WordWriter {
  public:
    void Word(std::uint16_t value) { words_.push_back(value); }
    void Dword(std::uint32_t value) {
        Word(static_cast<std::uint16_t>(value & 0xFFFF));
        Word(static_cast<std::uint16_t>(value >> 16));
    }
    void Short(int value) { Word(static_cast<std::uint16_t>(static_cast<std::int16_t>(value))); }
    // Latin-1 text widens to UTF-16 code unit by code unit.
    void Text(std::string_view text) {
        for (const char c : text) Word(static_cast<unsigned char>(c));
        Word(0);
    }
    void Ordinal(std::uint16_t value) {
        Word(0xFFFF);
        Word(value);
    }
    void AlignDword() {
        if (words_.size() % 2 != 0) Word(0);
    }
    std::vector<std::uint16_t> Take() { return std::move(words_); }

  private:
    std::vector<std::uint16_t> words_;
};

constexpr std::uint32_t kDialogStyle = dlg_style::kPopup | dlg_style::kCaption |
                                       dlg_style::kSysMenu | dlg_style::kModalFrame |
                                       dlg_style::kSetFont;
constexpr std::uint16_t kNormalWeight = 400;
constexpr std::uint8_t kDefaultCharset = 1;

void WriteControl(WordWriter& out, const ControlTemplate& control) {
    const ControlBytes described = DescribeControl(control);
    out.AlignDword();
    out.Dword(0);  // help context
    out.Dword(0);  // extended style
    out.Dword(described.style);
    out.Short(control.x);
    out.Short(control.y);
    out.Short(control.width);
    out.Short(control.height);
    out.Dword(static_cast<std::uint32_t>(control.id));
    out.Ordinal(described.window_class);
    if (control.kind == ControlKind::kIcon) {
        out.Ordinal(kIconResource);
    } else {
        out.Text(control.text);
    }
    out.Word(0);  // no creation data
}

}  // namespace

ControlBytes DescribeControl(const ControlTemplate& control) {
    std::uint32_t base = dlg_style::kChild;
    if ((control.style & style::kHidden) == 0) base |= dlg_style::kVisible;
    switch (control.kind) {
        case ControlKind::kEdit: {
            std::uint32_t edit =
                base | dlg_style::kBorder | dlg_style::kTabStop | dlg_style::kEditAutoScroll;
            if (control.style & style::kUpperCase) edit |= dlg_style::kEditUpperCase;
            return {dlg_class::kEdit, edit};
        }
        case ControlKind::kButton:
            return {dlg_class::kButton, base | dlg_style::kTabStop};
        case ControlKind::kDefaultButton:
            return {dlg_class::kButton, base | dlg_style::kTabStop | dlg_style::kDefaultButton};
        case ControlKind::kRadio:
            return {dlg_class::kButton, base | dlg_style::kTabStop | dlg_style::kAutoRadio};
        case ControlKind::kIcon:
            return {dlg_class::kStatic, base | dlg_style::kStaticIcon};
        case ControlKind::kLabel:
            break;
    }
    return {dlg_class::kStatic, base | dlg_style::kGroup};
}

std::vector<std::uint16_t> DialogTemplateBytes(const DialogTemplate& tmpl) {
    WordWriter out;
    out.Word(1);       // version of the extended form
    out.Word(0xFFFF);  // its signature
    out.Dword(0);      // help context
    out.Dword(0);      // extended style
    out.Dword(kDialogStyle);
    out.Word(static_cast<std::uint16_t>(tmpl.controls.size()));
    out.Short(0);
    out.Short(0);
    out.Short(tmpl.width);
    out.Short(tmpl.height);
    out.Word(0);  // no menu
    out.Word(0);  // the dialog class
    out.Text(tmpl.title);
    out.Word(static_cast<std::uint16_t>(tmpl.point_size));
    out.Word(kNormalWeight);
    out.Word(kDefaultCharset << 8);  // not italic; the character set
    out.Text(tmpl.font);
    for (const ControlTemplate& control : tmpl.controls) WriteControl(out, control);
    return out.Take();
}

}  // namespace demo::win32
