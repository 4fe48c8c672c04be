// SPDX-License-Identifier: MIT
#include "demo/commands/password_steps.h"

#include <optional>

#include "demo/commands/command_report.h"
#include "demo/dialogs/pass_dialog.h"
#include "demo/view/demo_view.h"

namespace demo {

namespace {

// Only a positive count lets the command go on. The counter is read once to
// see that the card answers and once more for the attempts left.
bool AttemptsLeft(CDemoView& view, const PassSteps& steps) {
    if (steps.attempts() < 0) {
        ShowErrorMessage(view, "System Not Ready!");
        return false;
    }
    const int left = steps.attempts();
    if (left < 0) ShowErrorMessage(view, "System Not Ready!");
    if (left == 0) ShowErrorMessage(view, steps.zero_message);
    return left > 0;
}

std::optional<std::string> AskPassword(CDemoView& view) {
    CPassDlg dialog(view.Ui());
    if (!view.Ui().RunModal(dialog)) return std::nullopt;
    return dialog.m_strPass;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

}  // namespace

void BeginPassCommand(CDemoView& view) {
    view.EraseStatusLines();
    view.EndEditMode();
    view.CaretToHexPane();
    view.DrawCaretInfo();
}

void RunPassSteps(CDemoView& view, const PassSteps& steps) {
    using Counter = PassSteps::Counter;
    if (steps.counter == Counter::kBeforeDialog && !AttemptsLeft(view, steps)) return;
    const std::optional<std::string> text = AskPassword(view);
    if (!text) return;
    if (steps.counter == Counter::kAfterDialog && !AttemptsLeft(view, steps)) return;
    if (text->size() != steps.digits) {
        ShowErrorMessage(view, steps.length_message);
        return;
    }
    const std::vector<std::uint8_t> password = DecodeHexText(*text);
    if (steps.present(password.data()) != 0) {
        if (steps.beeps_before_failure) BeepFiveTimes(view);
        ShowErrorMessage(view, steps.failure_message);
        return;
    }
    ReportOutcome(view, !steps.on_accepted || steps.on_accepted());
}

std::vector<std::uint8_t> DecodeHexText(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(HexDigit(text[i]) << 4 | HexDigit(text[i + 1])));
    }
    return bytes;
}

}  // namespace demo
