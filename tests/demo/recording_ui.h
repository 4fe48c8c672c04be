// SPDX-License-Identifier: MIT
// A window system for tests: it keeps what the program drew as texts at
// their positions with their colours, records message boxes, beeps, the menu
// bar, the caret and the wait cursor, and answers message boxes and dialogs
// from a script.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "demo/dialogs/dialog.h"
#include "demo/port/ui_port.h"

namespace demo_test {

using demo::Font;
using demo::MsgAnswer;
using demo::MsgButtons;
using demo::MsgIcon;
using demo::Rgb;

class RecordingUi : public demo::UiPort {
  public:
    struct Text {
        std::string text;
        Rgb fg;
        Rgb bg;
        Font font;
        long order;
    };
    struct Message {
        std::string text;
        std::string caption;
        MsgButtons buttons;
        MsgIcon icon;
        bool operator==(const Message&) const = default;
        friend void PrintTo(const Message& m, std::ostream* os) {
            *os << '"' << m.text << "\" in \"" << m.caption << "\", buttons "
                << static_cast<int>(m.buttons) << ", icon " << static_cast<int>(m.icon);
        }
    };
    // What a dialog shows: its title, the texts of its controls that have
    // an identifier, the hidden ones and the field last focused.
    struct DialogState {
        std::string title;
        std::map<int, std::string> fields;
        std::set<int> hidden;
        std::optional<int> focus;
    };
    struct ShownDialog : DialogState {  // as the dialog opened
        int template_id = 0;
        std::vector<DialogState> after_steps;
    };
    // One operator action in a dialog: type into fields (as typing does:
    // capitals in upper-case fields, no more than the field takes, each
    // change reported), maybe a right double click, then a button.
    struct DialogStep {
        std::map<int, std::string> fields;
        int button = demo::kIdOk;
        std::optional<std::pair<int, int>> right_double_click = std::nullopt;
    };
    static constexpr int kNoButton = 0;
    struct Caret {
        bool created = false;
        int width = 0;
        int height = 0;
        bool shown = false;
        int x = 0;
        int y = 0;
    };

    // ---- What is on screen ----
    // The text last drawn with its top-left corner at (x, y), or nullptr.
    const Text* TextAt(int x, int y) const;
    // That text when it can be seen (text and background colours differ).
    std::string VisibleAt(int x, int y) const;
    int BitmapDraws() const { return bitmap_draws_; }

    // ---- Script ----
    // Answers the next message boxes in order; unscripted boxes get the
    // cautious answer (OK, Cancel, No).
    void Answer(MsgAnswer answer) { answers_.push_back(answer); }
    // The operator's actions in the next dialog; after the last one (or with
    // none) the dialog is cancelled.
    void ScriptDialog(std::vector<DialogStep> steps) {
        dialog_scripts_.push_back(std::move(steps));
    }

    // Delivers posted paints and commands until none is left.
    void Pump();

    // ---- Record ----
    std::vector<Message> messages;
    std::vector<ShownDialog> dialogs;
    int beeps = 0;
    demo::MenuBar menu;
    Caret caret;
    int wait_cursor_depth = 0;
    int wait_cursor_shows = 0;
    bool destroyed = false;
    std::string caption;
    int window_x = 0;
    int window_y = 0;
    demo::Size window_size;
    demo::FrameStyle frame_style;
    demo::Size screen_size{1024, 768};
    std::vector<std::string> help_files;
    bool help_installed = true;
    std::vector<std::string> programs;
    int paints = 0;

    // ---- UiPort ----
    void SetEventSink(demo::WindowEvents* sink) override { sink_ = sink; }
    void SetDialogColors(Rgb, Rgb) override {}
    void CreateMainWindow(const demo::FrameStyle& style) override { frame_style = style; }
    void ShowMainWindow() override;
    demo::Size ScreenSize() override { return screen_size; }
    void MoveMainWindow(int x, int y, int width, int height) override;
    void SetCaption(std::string_view text) override { caption = text; }
    void Repaint() override;
    void DestroyMainWindow() override;
    void PostQuit() override { queue_.emplace_back(Quit{}); }
    void PostCommand(int id) override { queue_.emplace_back(id); }

    void DrawText(int x, int y, std::string_view text, Rgb fg, Rgb bg, Font font) override;
    void DrawBitmap(int bitmap_id, int x, int y) override;
    demo::Size BitmapSize(int) override { return {654, 452}; }

    void CreateCaret(int width, int height) override;
    void ShowCaret() override { caret.shown = true; }
    void HideCaret() override { caret.shown = false; }
    void SetCaretPos(int x, int y) override;

    MsgAnswer MessageBox(std::string_view text, std::string_view caption, MsgButtons buttons,
                         MsgIcon icon) override;
    void Beep() override { ++beeps; }
    void SetWaitCursor(bool on) override;

    void SetMenuBar(const demo::MenuBar& bar) override { menu = bar; }
    bool RemoveMenuItem(std::string_view popup, std::string_view item) override;

    bool RunModal(demo::Dialog& dialog) override;
    bool OpenHelp(std::string_view file) override {
        help_files.emplace_back(file);
        return help_installed;
    }
    bool StartProgram(std::string_view file) override;

  private:
    static DialogState StateOf(demo::Dialog& dialog);
    static void Type(demo::Dialog& dialog, int id, std::string text);

    struct Paint {};
    struct Quit {};

    demo::WindowEvents* sink_ = nullptr;
    std::map<std::pair<int, int>, Text> screen_;
    long order_ = 0;
    int bitmap_draws_ = 0;
    std::deque<MsgAnswer> answers_;
    std::deque<std::vector<DialogStep>> dialog_scripts_;
    std::deque<std::variant<Paint, Quit, int>> queue_;
};

}  // namespace demo_test
