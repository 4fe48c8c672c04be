// SPDX-License-Identifier: MIT
#include "demo/commands/command_report.h"

#include "demo/view/demo_view.h"

namespace demo {

void BeepFiveTimes(CDemoView& view) {
    for (int i = 0; i < 5; ++i) view.Ui().Beep();
}

void ReportOutcome(CDemoView& view, bool succeeded) {
    BeepFiveTimes(view);
    view.DrawStatus(2, succeeded ? "Succeed" : "Fail");
}

void ShowErrorMessage(CDemoView& view, std::string_view text) {
    view.Ui().MessageBox(text, "Error Message", MsgButtons::kOk, MsgIcon::kExclamation);
}

}  // namespace demo
