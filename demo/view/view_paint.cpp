// SPDX-License-Identifier: MIT
// Painting the card memory view: background, dump page and status panel.
#include <string>

#include "demo/res/command_ids.h"
#include "demo/view/card_types.h"
#include "demo/view/colors.h"
#include "demo/view/demo_view.h"

namespace demo {

namespace {

// Among several readers the USB label numbers the one held; the label
// keeps its four characters.
std::string PortLabel(int port, int usb_place) {
    if (port == kUsbPort)
        return usb_place >= 1 && usb_place <= 9 ? "USB" + std::to_string(usb_place) : "USB ";
    if (port >= 0 && port <= 3) return "COM" + std::to_string(port + 1);
    return {};
}

std::string HexOffset(int offset) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string digits;
    for (unsigned v = static_cast<unsigned>(offset); digits.empty() || v != 0; v >>= 4) {
        digits.insert(digits.begin(), kDigits[v & 0xF]);
    }
    return "0" + digits + "H";
}

}  // namespace

void CDemoView::OnDraw() {
    ui_.DrawBitmap(screen::kBackgroundBitmap, 0, 0);
    counter_shown_ = false;
    if (m_nReadState == read_state::kImageShown) {
        DrawPage();
    } else {
        BlankDump();
    }
    if (m_nReadState == read_state::kAutoTestPending) {
        m_nReadState = read_state::kNoImage;
        // Without a reader the operator has already been told; a second
        // message from the test would say nothing new.
        if (m_icdev > 0) ui_.PostCommand(cmd::kAutoTest);
    } else {
        DrawPortLabel();
        DrawTypeName(m_nCardType);
        DrawPageCount();
        DrawCaretInfo();
    }
    RedrawStatusLines();
}

void CDemoView::BlankDump() {
    for (int i = 0; i < screen::kBytesPerPage; ++i) {
        ui_.DrawText(screen::HexCellX(i), screen::CellY(i), "000", color::kNavy, color::kNavy,
                     Font::kFixed);
        ui_.DrawText(screen::CharCellX(i), screen::CellY(i), "00", color::kNavy, color::kNavy,
                     Font::kFixed);
    }
}

void CDemoView::DrawPage() {
    m_bImageShown = 1;
    counter_shown_ = false;
    BlankDump();
    BuildAt88sc1608Layout();
    const CardLayout* layout = m_Layouts.Find(m_nCardType);
    for (int i = 0; i < screen::kBytesPerPage; ++i) {
        const int offset = m_nPage * screen::kBytesPerPage + i;
        if (offset >= m_nCardSize || offset >= CDemoDoc::kMaxCardSize) break;
        const Rgb colour = ByteColour(layout, offset);
        const int y = screen::CellY(i);
        ui_.DrawText(screen::HexCellX(i), y, doc_.m_HexCells[offset], colour, color::kNavy,
                     Font::kFixed);
        ui_.DrawText(screen::CharCellX(i), y, doc_.m_AsciiCells[offset], colour, color::kNavy,
                     Font::kFixed);
    }
}

// Protection marks of the protected-memory cards come first, then the area.
Rgb CDemoView::ByteColour(const CardLayout* layout, int offset) const {
    const int i = offset % screen::kBytesPerPage;
    if (m_nCardType == card::kSle4428 && m_nPage >= 0 && m_nPage < 4) {
        const std::uint8_t flag = m_Pages4428[m_nPage][screen::kBytesPerPage + i];
        return flag == '0' || flag == 0 ? color::kRed : color::kYellow;
    }
    if (m_nCardType == card::kSle4442 && offset < 32) {
        if (m_ProtState4442[offset] == 0) return color::kRed;
        if (m_ProtState4442[offset] == 1) return color::kYellow;
    }
    return AreaColour(layout, offset);
}

void CDemoView::DrawCaretInfo() {
    EraseField(screen::kDecimalOffset, screen::kDecimalOffsetChars);
    EraseField(screen::kHexOffset, screen::kHexOffsetChars);
    EraseField(screen::kAreaName, screen::kAreaNameChars);
    if (m_bEditMode) {
        const bool hex_pane = m_nCaretPane == 0;
        const int column = hex_pane ? (m_ptCaret.x - screen::kHexLeft) / (3 * m_nCharWidth)
                                    : (m_ptCaret.x - screen::kCharLeft) / m_nCharWidth;
        const int row = ((m_ptCaret.y - screen::kDumpTop) / m_nLineHeight) % 16;
        const int offset = m_nPage * screen::kBytesPerPage + row * screen::kBytesPerRow + column;
        std::string decimal = std::to_string(offset);
        if (m_nCardType == card::k45D041 || m_nCardType == card::kAt88sc1608) {
            decimal += " IN " + std::to_string(m_nZone);
        } else if (m_nCardType == card::kSsf1101) {
            decimal += " IN " + std::to_string(m_nSsfPage);
        }
        BuildAt88sc1608Layout();
        const std::string area = m_nCardType == card::kAt88sc1604B && hex_pane
                                     ? std::string(" ")
                                     : AreaName(m_Layouts.Find(m_nCardType), offset);
        const auto draw = [this](screen::Point at, const std::string& text) {
            ui_.DrawText(at.x, at.y, text, color::kRed, color::kGrey, Font::kPanel);
        };
        draw(screen::kDecimalOffset, decimal);
        draw(screen::kHexOffset, HexOffset(offset));
        draw(screen::kAreaName, area);
    }
    EraseField(screen::kPageNumber, screen::kPageChars);
    ui_.DrawText(screen::kPageNumber.x, screen::kPageNumber.y, std::to_string(m_nPage + 1),
                 color::kRed, color::kGrey, Font::kPanel);
}

void CDemoView::DrawTypeName(int card_type) {
    EraseField(screen::kTypeName, screen::kTypeNameChars);
    ui_.DrawText(screen::kTypeName.x, screen::kTypeName.y, CardTypeName(card_type, m_nCpuProtocol),
                 color::kRed, color::kGrey, Font::kPanel);
}

void CDemoView::SetCapacity(int card_type) {
    m_nCardSize = CardCapacity(card_type, m_nZone, m_nCardSize);
    m_nPageCount = (m_nCardSize + screen::kBytesPerPage - 1) / screen::kBytesPerPage;
    m_nPage = 0;
    DrawPageCount();
}

void CDemoView::DrawPageCount() {
    EraseField(screen::kPageCount, screen::kPageChars);
    ui_.DrawText(screen::kPageCount.x, screen::kPageCount.y, std::to_string(m_nPageCount),
                 color::kRed, color::kGrey, Font::kPanel);
    ui_.DrawText(screen::kPageSeparator.x, screen::kPageSeparator.y, "/", color::kRed, color::kGrey,
                 Font::kPanel);
}

void CDemoView::DrawPortLabel() {
    const std::string label = PortLabel(m_nCommPort, usb_reader_.place);
    if (label.empty()) return;
    ui_.DrawText(screen::kPortLabel.x, screen::kPortLabel.y, label, color::kRed, color::kGrey,
                 Font::kPanel);
}

}  // namespace demo
