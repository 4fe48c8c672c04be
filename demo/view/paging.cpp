// SPDX-License-Identifier: MIT
// Page Up and Page Down through the image, and the error counter screen of
// the protected-memory cards past their last page.
#include <string>

#include "demo/port/library_imports.h"
#include "demo/view/card_types.h"
#include "demo/view/colors.h"
#include "demo/view/demo_view.h"

namespace demo {

namespace {
constexpr screen::Point kErrorCounter{60, 90};
}  // namespace

// On the protected-memory cards Page Up also leaves the error counter
// screen, showing the page before the current one (or page 1 again).
void CDemoView::PageUp() {
    if (ProtectedMemoryCard()) {
        ui_.DrawText(kErrorCounter.x, kErrorCounter.y, "Error Count:11", color::kNavy, color::kNavy,
                     Font::kPanel);
        counter_shown_ = false;
        const int page = m_nPage > 0 ? m_nPage - 1 : 0;
        m_nPage = page;
        // Without an image there is nothing to go back to.
        if (ImageLoaded()) ShowPage(page, false);
        return;
    }
    if (m_nPage == 0) return;
    ShowPage(m_nPage - 1, false);
}

void CDemoView::PageDown() {
    if (!ImageLoaded()) return;
    if (m_nPage < m_nPageCount - 1) {
        ShowPage(m_nPage + 1, m_nCardType == card::k45D041);
    } else if (ProtectedMemoryCard()) {
        ShowErrorCounter();
    }
}

// The caret keeps its place on the new page, but never beyond the card's
// last byte.
void CDemoView::ShowPage(int page, bool caret_to_origin) {
    if (m_bEditMode) ui_.HideCaret();
    m_nPage = page;
    DrawPage();
    if (m_bEditMode) {
        const CaretSpot origin{m_nPage, 0, 0, false};
        GoTo(WithinCard(caret_to_origin ? origin : Spot(), Extent()), CaretPane());
    }
    DrawCaretInfo();
    if (m_bEditMode) ui_.ShowCaret();
}

void CDemoView::ShowErrorCounter() {
    if (m_bEditMode) ui_.HideCaret();
    const int count = CodeAttemptsOrFailure(m_nCardType, m_nCardType == card::kSle4442
                                                             ? Lib().IC_ReadCount_SLE4442(m_icdev)
                                                             : Lib().IC_ReadCount_SLE4428(m_icdev));
    BlankDump();
    ui_.DrawText(kErrorCounter.x, kErrorCounter.y, "Error Count:" + std::to_string(count),
                 color::kRed, color::kNavy, Font::kPanel);
    counter_shown_ = true;
}

}  // namespace demo
