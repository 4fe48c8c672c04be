// SPDX-License-Identifier: MIT
// What the password and fuse tests share: the operator typing a password and
// the texts of the message boxes shown.
#pragma once

#include <string>
#include <vector>

#include "demo/res/dialog_templates.h"
#include "tests/demo/recording_ui.h"

namespace demo_test {

// The operator types `text` into the next password dialog and presses "ok".
inline void TypePassword(RecordingUi& ui, const std::string& text) {
    ui.ScriptDialog({{{{demo::pass_dlg::kPass, text}}}});
}

inline std::vector<std::string> MessageTexts(const RecordingUi& ui) {
    std::vector<std::string> texts;
    for (const RecordingUi::Message& m : ui.messages) texts.push_back(m.text);
    return texts;
}

}  // namespace demo_test
