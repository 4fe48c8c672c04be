// SPDX-License-Identifier: MIT
#include "demo/app/main_frame.h"

#include <string>

#include "demo/port/ui_port.h"
#include "demo/res/strings.h"

namespace demo {

void CMainFrame::Create() {
    FrameStyle style;
    style.sizing_border = false;
    style.maximize_box = false;
    ui_.CreateMainWindow(style);
}

// Centred as a 640 by 480 window would be.
void CMainFrame::OnSize() {
    const Size screen = ui_.ScreenSize();
    ui_.MoveMainWindow((screen.width - 640) / 2, (screen.height - 480) / 2, kWidth, kHeight);
}

void CMainFrame::OnPaint() {
    ui_.SetCaption(text::kFrameCaption);
}

void CMainFrame::OnAppExit() {
    ui_.DestroyMainWindow();
}

void CMainFrame::OnHelp() {
    if (ui_.OpenHelp(kHelpFile)) return;
    ui_.MessageBox(std::string("The help file ") + kHelpFile + " is not installed.",
                   text::kAppTitle, MsgButtons::kOk, MsgIcon::kExclamation);
}

}  // namespace demo
