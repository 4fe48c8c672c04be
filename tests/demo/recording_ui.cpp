// SPDX-License-Identifier: MIT
#include "tests/demo/recording_ui.h"

#include <cctype>

#include "demo/res/menus.h"

namespace demo_test {

const RecordingUi::Text* RecordingUi::TextAt(int x, int y) const {
    auto it = screen_.find({x, y});
    return it == screen_.end() ? nullptr : &it->second;
}

std::string RecordingUi::VisibleAt(int x, int y) const {
    const Text* text = TextAt(x, y);
    return text && !(text->fg == text->bg) ? text->text : std::string();
}

void RecordingUi::Pump() {
    while (!queue_.empty() && !destroyed) {
        auto event = queue_.front();
        queue_.pop_front();
        if (std::holds_alternative<Paint>(event)) {
            Repaint();
        } else if (std::holds_alternative<Quit>(event)) {
            DestroyMainWindow();
        } else if (sink_) {
            sink_->OnCommand(std::get<int>(event));
        }
    }
}

// A window system sizes the window as it shows it and paints it once the
// program waits for events.
void RecordingUi::ShowMainWindow() {
    if (sink_) sink_->OnSize();
    queue_.emplace_back(Paint{});
}

void RecordingUi::MoveMainWindow(int x, int y, int width, int height) {
    window_x = x;
    window_y = y;
    window_size = {width, height};
}

void RecordingUi::Repaint() {
    ++paints;
    if (sink_) sink_->OnPaint();
}

void RecordingUi::DestroyMainWindow() {
    if (destroyed) return;
    destroyed = true;
    if (sink_) sink_->OnDestroy();
}

void RecordingUi::DrawText(int x, int y, std::string_view text, Rgb fg, Rgb bg, Font font) {
    screen_[{x, y}] = {std::string(text), fg, bg, font, order_++};
}

// The picture covers the whole client area.
void RecordingUi::DrawBitmap(int, int x, int y) {
    if (x == 0 && y == 0) screen_.clear();
    ++bitmap_draws_;
}

void RecordingUi::CreateCaret(int width, int height) {
    caret = {true, width, height, false, caret.x, caret.y};
}

void RecordingUi::SetCaretPos(int x, int y) {
    caret.x = x;
    caret.y = y;
}

MsgAnswer RecordingUi::MessageBox(std::string_view text, std::string_view box_caption,
                                  MsgButtons buttons, MsgIcon icon) {
    messages.push_back({std::string(text), std::string(box_caption), buttons, icon});
    if (!answers_.empty()) {
        const MsgAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    switch (buttons) {
        case MsgButtons::kOkCancel:
            return MsgAnswer::kCancel;
        case MsgButtons::kYesNo:
            return MsgAnswer::kNo;
        case MsgButtons::kOk:
            break;
    }
    return MsgAnswer::kOk;
}

void RecordingUi::SetWaitCursor(bool on) {
    wait_cursor_depth += on ? 1 : -1;
    if (on) ++wait_cursor_shows;
}

bool RecordingUi::RemoveMenuItem(std::string_view popup, std::string_view item) {
    return demo::RemoveItem(menu, popup, item);
}

RecordingUi::DialogState RecordingUi::StateOf(demo::Dialog& dialog) {
    DialogState state{dialog.Title(), {}, {}, dialog.TakeFocusRequest()};
    for (const demo::ControlTemplate& control : dialog.Template().controls) {
        if (control.id == demo::kIdStatic) continue;
        state.fields[control.id] = dialog.Text(control.id);
        if (!dialog.Visible(control.id)) state.hidden.insert(control.id);
    }
    return state;
}

void RecordingUi::Type(demo::Dialog& dialog, int id, std::string text) {
    for (const demo::ControlTemplate& control : dialog.Template().controls) {
        if (control.id != id) continue;
        if (control.style & demo::style::kUpperCase) {
            for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        if (control.max_length > 0 && text.size() > control.max_length) {
            text.resize(control.max_length);
        }
    }
    if (dialog.Text(id) == text) return;
    dialog.SetText(id, std::move(text));
    dialog.OnFieldChanged(id);
}

bool RecordingUi::RunModal(demo::Dialog& dialog) {
    dialog.OnInitDialog();
    ShownDialog& shown = dialogs.emplace_back();
    static_cast<DialogState&>(shown) = StateOf(dialog);
    shown.template_id = dialog.Template().id;
    std::vector<DialogStep> steps;
    if (!dialog_scripts_.empty()) {
        steps = std::move(dialog_scripts_.front());
        dialog_scripts_.pop_front();
    }
    // Later dialogs may be shown from a step: keep the index, not the
    // reference.
    const std::size_t index = dialogs.size() - 1;
    for (const DialogStep& step : steps) {
        for (const auto& [id, text] : step.fields) Type(dialog, id, text);
        if (step.right_double_click) {
            dialog.OnRButtonDblClk(step.right_double_click->first, step.right_double_click->second);
        }
        demo::DialogAction action = demo::DialogAction::kStayOpen;
        if (step.button != kNoButton) action = dialog.OnButton(step.button);
        dialogs[index].after_steps.push_back(StateOf(dialog));
        if (action != demo::DialogAction::kStayOpen) return action == demo::DialogAction::kEndOk;
    }
    return dialog.OnButton(demo::kIdCancel) == demo::DialogAction::kEndOk;
}

bool RecordingUi::StartProgram(std::string_view file) {
    programs.emplace_back(file);
    return false;
}

}  // namespace demo_test
