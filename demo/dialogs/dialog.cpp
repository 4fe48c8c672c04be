// SPDX-License-Identifier: MIT
#include "demo/dialogs/dialog.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <string>
#include <utility>

#include "demo/port/ui_port.h"
#include "demo/res/strings.h"

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
        RefuseField(id, "Please enter an integer.");
        return std::nullopt;
    }
    if (*value < min || *value > max) {
        RefuseField(id, "Please enter an integer between " + std::to_string(min) + " and " +
                            std::to_string(max) + ".");
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

std::optional<unsigned> Dialog::UnsignedField(int id) {
    std::optional<unsigned> value = ParseDialogUnsigned(Text(id));
    if (!value) RefuseField(id, "Please enter a positive integer.");
    return value;
}

void Dialog::RefuseField(int id, std::string_view message) {
    ui_.MessageBox(message, text::kAppTitle, MsgButtons::kOk, MsgIcon::kExclamation);
    FocusField(id);
}

void Dialog::Notice(std::string_view text) {
    Notice(text, text::kAppTitle);
}

void Dialog::Notice(std::string_view text, std::string_view caption) {
    ui_.MessageBox(text, caption, MsgButtons::kOk, MsgIcon::kNone);
}

namespace {

struct ScannedInteger {
    bool negative = false;
    unsigned long long magnitude = 0;  // saturates just above 32 bits
};

// Optional blanks, an optional sign, digits, optional blanks.
std::optional<ScannedInteger> ScanInteger(std::string_view text) {
    constexpr unsigned long long kCeiling = 1ULL << 33;
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t i = 0;
    while (i < text.size() && blank(text[i])) ++i;
    ScannedInteger scanned;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) scanned.negative = text[i++] == '-';
    const std::size_t digits_start = i;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        scanned.magnitude = std::min(scanned.magnitude * 10 + (text[i] - '0'), kCeiling);
    }
    if (i == digits_start) return std::nullopt;
    while (i < text.size() && blank(text[i])) ++i;
    if (i != text.size()) return std::nullopt;
    return scanned;
}

}  // namespace

std::optional<long long> ParseDialogInteger(std::string_view text) {
    std::optional<ScannedInteger> scanned = ScanInteger(text);
    if (!scanned) return std::nullopt;
    const long long limit = scanned->negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    const long long value = std::min(static_cast<long long>(scanned->magnitude), limit);
    return scanned->negative ? -value : value;
}

std::optional<unsigned> ParseDialogUnsigned(std::string_view text) {
    std::optional<ScannedInteger> scanned = ScanInteger(text);
    if (!scanned || scanned->negative) return std::nullopt;
    return static_cast<unsigned>(std::min<unsigned long long>(scanned->magnitude, UINT_MAX));
}

}  // namespace demo
