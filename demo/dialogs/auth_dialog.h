// SPDX-License-Identifier: MIT
// Dialog 145: the three steps of mutual authentication between a secure
// memory card and the host, one button each, in any order.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "demo/dialogs/dialog.h"

namespace demo {

// One text of the work area: up to 20 characters, always NUL-terminated and
// zero-filled behind, so a library call that reads 16 characters never reads
// beyond it.
class WorkText {
  public:
    static constexpr std::size_t kMaxChars = 20;
    void Set(std::string_view text);
    const char* c_str() const { return chars_.data(); }
    char* data() { return chars_.data(); }
    std::string_view view() const { return chars_.data(); }

  private:
    std::array<char, kMaxChars + 1> chars_{};
};

class CAuthDlg : public Dialog {
  public:
    static constexpr std::size_t kHexChars = 16;

    CAuthDlg(UiPort& ui, std::int32_t icdev);

    void OnInitDialog() override;
    DialogAction OnButton(int id) override;

    std::int32_t m_icdev;

  private:
    void InitAuth();
    void CardAuthDevice();
    void DeviceAuthCard();
    // The card identification into the work area; false when the read failed.
    bool ReadCardId(const char* error);
    void ShowCount();

    // The work area: copies of the fields, the card identification and the
    // host challenge Q1 with the card answer Q2 that the host expects.
    WorkText pass_;
    WorkText random_;
    WorkText card_id_;
    WorkText q1_;
    WorkText q2_;
};

}  // namespace demo
