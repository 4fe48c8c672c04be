// SPDX-License-Identifier: MIT
// How the card commands report to the operator: beeps and a word on the
// status panel, or an error message box.
#pragma once

#include <string_view>

namespace demo {

class CDemoView;

void BeepFiveTimes(CDemoView& view);
// Five beeps, then "Succeed" or "Fail" on status line 2.
void ReportOutcome(CDemoView& view, bool succeeded);
// A message box captioned "Error Message" with the exclamation icon.
void ShowErrorMessage(CDemoView& view, std::string_view text);

}  // namespace demo
