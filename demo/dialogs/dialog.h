// SPDX-License-Identifier: MIT
// A modal dialog as plain data and logic: the template it is built from and
// the state of its fields. The window system shows it (UiPort::RunModal),
// copies what the operator types into the fields and reports button presses.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "demo/port/dialog_template.h"

namespace demo {

class UiPort;

enum class DialogAction { kStayOpen, kEndOk, kEndCancel };

class Dialog {
  public:
    Dialog(const DialogTemplate& tmpl, UiPort& ui);
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    const DialogTemplate& Template() const { return tmpl_; }
    const std::string& Title() const { return title_; }

    // The shown state of the controls that have an identifier. A field
    // keeps no more than its maximum length of the text it is given.
    const std::string& Text(int id) const;
    void SetText(int id, std::string text);
    bool Visible(int id) const;
    void Show(int id, bool visible);
    // The field the dialog asks to be focused with its text selected, once.
    std::optional<int> TakeFocusRequest();

    virtual void OnInitDialog() {}
    // A button was pressed (OK and Cancel included; the close box is Cancel).
    virtual DialogAction OnButton(int id);
    virtual void OnFieldChanged(int /*id*/) {}
    // A double click of the right mouse button at client pixel (x, y).
    virtual void OnRButtonDblClk(int /*x*/, int /*y*/) {}

  protected:
    virtual DialogAction OnOK() { return DialogAction::kEndOk; }
    void SetTitle(std::string title) { title_ = std::move(title); }
    void FocusField(int id) { focus_ = id; }
    // Reads an integer field as the dialog framework does; refuses text that
    // is not an integer or lies outside [min, max] with a message, focusing
    // the field.
    std::optional<int> IntField(int id, int min, int max);
    // Reads a field that holds an unsigned integer; refuses anything else
    // with the framework's message.
    std::optional<unsigned> UnsignedField(int id);
    // The framework's refusal of a field's text: a message, then the field
    // focused with its text selected.
    void RefuseField(int id, std::string_view message);
    // A notice with an OK button and no icon, captioned with the program's
    // title unless given a caption of its own.
    void Notice(std::string_view text);
    void Notice(std::string_view text, std::string_view caption);

    UiPort& ui_;

  private:
    const DialogTemplate& tmpl_;
    std::string title_;
    std::map<int, std::string> texts_;
    std::map<int, bool> visible_;
    std::map<int, std::size_t> max_lengths_;
    std::optional<int> focus_;
};

// Integer text as the dialog framework accepts it: optional blanks, an
// optional sign, digits, optional blanks. Values beyond 32 bits saturate.
std::optional<long long> ParseDialogInteger(std::string_view text);
// The same for unsigned fields: no minus sign; values beyond 32 bits
// saturate.
std::optional<unsigned> ParseDialogUnsigned(std::string_view text);

}  // namespace demo
