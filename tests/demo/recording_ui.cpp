#include "tests/demo/recording_ui.h"

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

bool RecordingUi::RunModal(demo::Dialog& dialog) {
    dialog.OnInitDialog();
    ShownDialog shown{dialog.Template().id, dialog.Title(), {}};
    for (const demo::ControlTemplate& control : dialog.Template().controls) {
        if (control.id != demo::kIdStatic) shown.fields[control.id] = dialog.Text(control.id);
    }
    dialogs.push_back(shown);
    std::vector<DialogStep> steps;
    if (!dialog_scripts_.empty()) {
        steps = std::move(dialog_scripts_.front());
        dialog_scripts_.pop_front();
    }
    for (const DialogStep& step : steps) {
        for (const auto& [id, text] : step.fields) dialog.SetText(id, text);
        const demo::DialogAction action = dialog.OnButton(step.button);
        if (action != demo::DialogAction::kStayOpen) return action == demo::DialogAction::kEndOk;
    }
    return dialog.OnButton(demo::kIdCancel) == demo::DialogAction::kEndOk;
}

bool RecordingUi::StartProgram(std::string_view file) {
    programs.emplace_back(file);
    return false;
}

}  // namespace demo_test
