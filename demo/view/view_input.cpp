// SPDX-License-Identifier: MIT
// The mouse and the keyboard over the view: the quit prompts, edit mode and
// the caret's moves.
#include "demo/res/strings.h"
#include "demo/view/card_types.h"
#include "demo/view/demo_view.h"

namespace demo {

namespace {

constexpr int kRowsPerPage = 16;
constexpr int kHexPaneWidth = 48 * screen::kCharWidth;
constexpr int kCharPaneWidth = 16 * screen::kCharWidth;
// A click on a byte's two digits or on the gap before them finds the byte.
constexpr int kHexHitLead = screen::kCharWidth;
constexpr int kHexCellWidth = 3 * screen::kCharWidth;

bool Inside(int x, int y, int left, int top, int width, int height) {
    return x >= left && x < left + width && y >= top && y < top + height;
}

}  // namespace

void CDemoView::OnLButtonDown(int x, int y) {
    const bool in_exit_area =
        Inside(x, y, screen::kExitLeft, screen::kExitTop, screen::kExitRight - screen::kExitLeft,
               screen::kExitBottom - screen::kExitTop);
    if (in_exit_area && ui_.MessageBox("Exit System ?", text::kMessage, MsgButtons::kYesNo,
                                       MsgIcon::kQuestion) == MsgAnswer::kYes) {
        ui_.DestroyMainWindow();
    }
    if (m_bEditMode && !counter_shown_) ClickCaret(x, y);
}

void CDemoView::ClickCaret(int x, int y) {
    ui_.HideCaret();
    const int rows = (m_nCardSize - screen::kBytesPerPage * m_nPage) / screen::kBytesPerRow;
    const int pane_height = screen::kLineHeight * rows;
    if (y >= screen::kDumpTop && y < screen::kDumpTop + screen::kLineHeight * kRowsPerPage) {
        m_nClickRow = (y - screen::kDumpTop) / screen::kLineHeight;
    }
    if (Inside(x, y, screen::kHexLeft, screen::kDumpTop, kHexPaneWidth, pane_height)) {
        const int column = (x - screen::kHexLeft + kHexHitLead) / kHexCellWidth;
        if (column < kRowsPerPage) m_nClickColumn = column;
        GoTo({m_nPage, m_nClickRow, m_nClickColumn, false}, Pane::kHex);
    } else if (Inside(x, y, screen::kCharLeft, screen::kDumpTop, kCharPaneWidth, pane_height)) {
        m_nClickColumn = (x - screen::kCharLeft) / screen::kCharWidth;
        GoTo({m_nPage, m_nClickRow, m_nClickColumn, false}, Pane::kChar);
    }
    ui_.ShowCaret();
    DrawCaretInfo();
}

void CDemoView::OnKeyDown(Key key) {
    // F5 writes the card and the page keys may read it: they reach the
    // reader as commands do. Escape only leaves.
    if (key != Key::kEscape) ReopenIfLost();
    switch (key) {
        case Key::kEscape:
            if (m_bEditMode) {
                LeaveEditMode();
            } else if (ui_.MessageBox("Quit Application?", "Warning...", MsgButtons::kYesNo,
                                      MsgIcon::kQuestion) == MsgAnswer::kYes) {
                ui_.DestroyMainWindow();
            }
            return;
        case Key::kPageUp:
            PageUp();
            return;
        case Key::kPageDown:
            PageDown();
            return;
        default:
            if (m_bEditMode) HandleEditKey(key);
    }
}

void CDemoView::HandleEditKey(Key key) {
    switch (key) {
        case Key::kF5:
        case Key::kReturn:
            WriteBack();
            return;
        case Key::kOther:
            return;
        default:
            break;
    }
    if (counter_shown_) return;
    if (key == Key::kTab) {
        const Pane other = CaretPane() == Pane::kHex ? Pane::kChar : Pane::kHex;
        CaretSpot spot = Spot();
        spot.second_digit = false;
        GoTo(spot, other);
    } else if (key == Key::kSpace) {
        ToggleProtectionMark();
    } else {
        GoTo(Moved(Spot(), CaretPane(), key, Extent()), CaretPane());
    }
    DrawCaretInfo();
}

void CDemoView::OnChar(char ch) {
    if (!m_bEditMode || counter_shown_) return;
    if (CaretPane() == Pane::kHex) {
        TypeHexDigit(ch);
    } else {
        TypeCharacter(ch);
    }
    DrawCaretInfo();
}

void CDemoView::EnterEditMode() {
    if (!ImageLoaded()) return;
    DrawStatus(1, "F5 :Write Data");
    if (ProtectedMemoryCard()) {
        DrawStatus(2, "ESC:Return     ");
        DrawStatus(3, "SPA:Add Pro   ");
    } else {
        DrawStatus(2, "ESC:Return    ");
    }
    ui_.CreateCaret(m_nCharWidth - 1, m_nLineHeight);
    m_ptCaret = {screen::kHexLeft, screen::kDumpTop};
    ui_.SetCaretPos(m_ptCaret.x, m_ptCaret.y);
    ui_.ShowCaret();
    m_bEditMode = 1;
    m_nCaretPane = 0;
    DrawCaretInfo();
}

void CDemoView::LeaveEditMode() {
    EndEditMode();
    m_nCaretPane = 0;
    EraseStatusLines();
}

void CDemoView::EndEditMode() {
    if (m_bEditMode) EraseStatus(3);
    m_bEditMode = 0;
    ui_.HideCaret();
}

void CDemoView::GoTo(const CaretSpot& spot, Pane pane) {
    if (spot.page != m_nPage) {
        m_nPage = spot.page;
        DrawPage();
    }
    m_nCaretPane = static_cast<int>(pane);
    m_ptCaret = PointOf(spot, pane);
    ui_.SetCaretPos(m_ptCaret.x, m_ptCaret.y);
}

bool CDemoView::ProtectedMemoryCard() const {
    return m_nCardType == card::kSle4442 || m_nCardType == card::kSle4428;
}

}  // namespace demo
