// SPDX-License-Identifier: MIT
// Typing over the image and marking bytes for protection.
#include <string>
#include <string_view>

#include "demo/view/card_types.h"
#include "demo/view/colors.h"
#include "demo/view/demo_view.h"

namespace demo {

namespace {

constexpr std::string_view kHexDigits = "0123456789abcdefABCDEF";
constexpr char kFirstPrintable = 32;
constexpr char kLastPrintable = 126;
constexpr int kSle4442ProtectedBytes = 32;
// The SLE4428's error counter and code: they cannot be protected.
constexpr int kSle4428Markable = 1021;

int DigitValue(char digit) {
    const std::size_t at = kHexDigits.find(digit);
    return static_cast<int>(at < 16 ? at : at - 6);
}

// The read shows a protected byte's flag as the character '0'; a mark
// stores the value 0.
bool FlagWritable(std::uint8_t flag) {
    return flag != 0 && flag != '0';
}

}  // namespace

void CDemoView::TypeHexDigit(char digit) {
    if (kHexDigits.find(digit) == std::string_view::npos) return;
    const CaretSpot spot = Spot();
    const int offset = spot.Offset();
    char* cell = doc_.m_HexCells[offset];
    cell[spot.second_digit ? 1 : 0] = digit;
    doc_.m_AsciiCells[offset][0] =
        static_cast<char>(DigitValue(cell[0]) * 16 + DigitValue(cell[1]));
    BuildAt88sc1608Layout();
    DrawByte(offset, ByteColour(m_Layouts.Find(m_nCardType), offset));
    doc_.RecordModifiedRow(offset - offset % screen::kBytesPerRow);
    GoTo(Advanced(spot, Pane::kHex, Extent()), Pane::kHex);
}

void CDemoView::TypeCharacter(char ch) {
    if (ch < kFirstPrintable || ch > kLastPrintable) return;
    const CaretSpot spot = Spot();
    const int offset = spot.Offset();
    doc_.SetByte(offset, static_cast<std::uint8_t>(ch));
    doc_.RecordModifiedRow(offset - offset % screen::kBytesPerRow);
    BuildAt88sc1608Layout();
    DrawByte(offset, CharEntryColour(offset));
    GoTo(Advanced(spot, Pane::kChar, Extent()), Pane::kChar);
}

// The character pane marks SLE4442 protection only by the values 0 and 1.
Rgb CDemoView::CharEntryColour(int offset) const {
    if (m_nCardType == card::kSle4442 && offset < kSle4442ProtectedBytes &&
        m_ProtState4442[offset] > 1) {
        return color::kWhite;
    }
    return ByteColour(m_Layouts.Find(m_nCardType), offset);
}

void CDemoView::DrawByte(int offset, Rgb colour) {
    const int i = offset % screen::kBytesPerPage;
    const int y = screen::CellY(i);
    ui_.DrawText(screen::HexCellX(i), y, doc_.m_HexCells[offset], colour, color::kNavy,
                 Font::kFixed);
    // A zero byte has no character; what the cell showed before must go.
    const bool blank = doc_.Byte(offset) == 0;
    ui_.DrawText(screen::CharCellX(i), y, blank ? " " : doc_.m_AsciiCells[offset],
                 blank ? color::kNavy : colour, color::kNavy, Font::kFixed);
}

void CDemoView::ToggleProtectionMark() {
    if (CaretPane() != Pane::kHex) return;
    const int offset = Spot().Offset();
    bool marked = false;
    if (m_nCardType == card::kSle4442) {
        if (offset >= kSle4442ProtectedBytes || m_ProtMark4442[offset] == 0) return;
        m_ProtState4442[offset] = m_ProtState4442[offset] == 0 ? 1 : 0;
        marked = m_ProtState4442[offset] == 0;
    } else if (m_nCardType == card::kSle4428) {
        const int page = offset / screen::kBytesPerPage;
        const int flag_at = screen::kBytesPerPage + offset % screen::kBytesPerPage;
        if (offset >= kSle4428Markable || !FlagWritable(m_Pages4428Saved[page][flag_at])) return;
        std::uint8_t& flag = m_Pages4428[page][flag_at];
        flag = flag == 0 ? 1 : 0;
        marked = flag == 0;
    } else {
        return;
    }
    DrawByte(offset, marked ? color::kRed : color::kYellow);
}

}  // namespace demo
