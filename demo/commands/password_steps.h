// SPDX-License-Identifier: MIT
// The steps every password command goes through: the attempt counter, the
// password dialog, the length check, the card's answer and the report.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace demo {

class CDemoView;

struct PassSteps {
    enum class Counter { kNone, kBeforeDialog, kAfterDialog };
    Counter counter = Counter::kBeforeDialog;
    // Attempts left on the card; negative when it could not be read.
    std::function<int()> attempts;
    std::string zero_message;
    // Hexadecimal digits the password must have.
    std::size_t digits = 0;
    std::string length_message;
    // Presents the password bytes to the card; 0 when it took them.
    std::function<int(const std::uint8_t*)> present;
    std::string failure_message;
    bool beeps_before_failure = true;
    // What follows once the card took the password; false reports "Fail".
    std::function<bool()> on_accepted;
};

// Clears the command's status lines and ends edit mode.
void BeginPassCommand(CDemoView& view);
void RunPassSteps(CDemoView& view, const PassSteps& steps);

// The bytes of hexadecimal text, two digits each, high nibble first; either
// case. A character that is no hexadecimal digit counts as 0; a last single
// digit is dropped.
std::vector<std::uint8_t> DecodeHexText(std::string_view text);

}  // namespace demo
