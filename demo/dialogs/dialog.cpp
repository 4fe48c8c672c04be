#include "demo/dialogs/dialog.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <string>
#include <utility>

#include "demo/res/strings.h"
#include "demo/view/ui_port.h"

namespace demo {

Dialog::Dialog(const DialogTemplate& tmpl, UiPort& ui) : ui_(ui), tmpl_(tmpl), title_(tmpl.title) {
    for (const ControlTemplate& c : tmpl.controls) {
        if (c.id == kIdStatic) continue;
        texts_[c.id] = c.text;
        visible_[c.id] = (c.style & style::kHidden) == 0;
        if (c.max_length != 0) max_lengths_[c.id] = c.max_length;
    }
}

const std::string& Dialog::Text(int id) const {
    static const std::string kNone;
    auto it = texts_.find(id);
    return it == texts_.end() ? kNone : it->second;
}

void Dialog::SetText(int id, std::string text) {
    auto limit = max_lengths_.find(id);
    if (limit != max_lengths_.end() && text.size() > limit->second) text.resize(limit->second);
    texts_[id] = std::move(text);
}

bool Dialog::Visible(int id) const {
    auto it = visible_.find(id);
    return it != visible_.end() && it->second;
}

void Dialog::Show(int id, bool visible) {
    visible_[id] = visible;
}

std::optional<int> Dialog::TakeFocusRequest() {
    return std::exchange(focus_, std::nullopt);
}

DialogAction Dialog::OnButton(int id) {
    if (id == kIdOk) return OnOK();
    if (id == kIdCancel) return DialogAction::kEndCancel;
    return DialogAction::kStayOpen;
}

std::optional<int> Dialog::IntField(int id, int min, int max) {
    std::optional<long long> value = ParseDialogInteger(Text(id));
    if (!value) {
        ui_.MessageBox("Please enter an integer.", text::kAppTitle, MsgButtons::kOk,
                       MsgIcon::kExclamation);
        FocusField(id);
        return std::nullopt;
    }
    if (*value < min || *value > max) {
        ui_.MessageBox("Please enter an integer between " + std::to_string(min) + " and " +
                           std::to_string(max) + ".",
                       text::kAppTitle, MsgButtons::kOk, MsgIcon::kExclamation);
        FocusField(id);
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

std::optional<long long> ParseDialogInteger(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t i = 0;
    while (i < text.size() && blank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::size_t digits_start = i;
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        if (value <= INT_MAX) value = value * 10 + (text[i] - '0');
    }
    if (i == digits_start) return std::nullopt;
    while (i < text.size() && blank(text[i])) ++i;
    if (i != text.size()) return std::nullopt;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    value = std::min(value, limit);
    return negative ? -value : value;
}

}  // namespace demo
