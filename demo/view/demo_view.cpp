// SPDX-License-Identifier: MIT
#include "demo/view/demo_view.h"

#include "demo/port/library_imports.h"
#include "demo/res/menus.h"
#include "demo/res/strings.h"
#include "demo/view/card_types.h"
#include "demo/view/colors.h"

namespace demo {

CDemoView::CDemoView(UiPort& ui, CDemoDoc& doc) : ui_(ui), doc_(doc) {
    m_BackgroundSize = ui.BitmapSize(screen::kBackgroundBitmap);
}

void CDemoView::OnCreate() {
    m_nCharWidth = screen::kCharWidth;
    m_nLineHeight = screen::kLineHeight;
    ui_.CreateCaret(m_nCharWidth - 1, m_nLineHeight);
    ConnectReader();
}

void CDemoView::OnDestroy() {
    Lib().IC_ExitComm(m_icdev);
}

void CDemoView::SwitchMenu(int card_type) {
    ui_.SetMenuBar(LoadMenuBar(MenuBarFor(card_type)));
    // Over USB the device control dialog has nothing to talk to.
    if (m_nCommPort == kUsbPort) ui_.RemoveMenuItem("Select Card Type", "Device Control");
    EndEditMode();
    m_nReadState = read_state::kNoImage;
    ui_.Repaint();
}

void CDemoView::DrawStatus(int line, std::string_view text) {
    EraseStatus(line);
    const screen::Point at = screen::kStatusLine[line - 1];
    ui_.DrawText(at.x, at.y, text, color::kBlack, color::kGrey, Font::kPanel);
    status_[line - 1] = {std::string(text), true};
}

void CDemoView::EraseStatus(int line) {
    EraseField(screen::kStatusLine[line - 1], screen::kStatusLineChars);
    status_[line - 1] = {};
}

void CDemoView::EraseStatusLines() {
    EraseStatus(1);
    EraseStatus(2);
}

void CDemoView::RedrawStatusLines() {
    for (int line = 1; line <= 3; ++line) {
        if (status_[line - 1].shown) DrawStatus(line, std::string(status_[line - 1].text));
    }
}

void CDemoView::EraseField(screen::Point at, int chars) {
    ui_.DrawText(at.x, at.y, std::string(chars, ' '), color::kGrey, color::kGrey, Font::kFixed);
}

}  // namespace demo
