// SPDX-License-Identifier: MIT
// Dialog 144: a secure-memory password and its set, with the attempts left
// for that set.
#pragma once

#include <cstdint>
#include <string>

#include "demo/dialogs/dialog.h"

namespace demo {

namespace pass_mode {
constexpr int kCheckRead = 0;
constexpr int kCheckWrite = 1;
constexpr int kCheckSafety = 2;
constexpr int kChangeRead = 3;
constexpr int kChangeWrite = 4;
constexpr int kChangeSafety = 5;
}  // namespace pass_mode

// The safety code is write password set 7.
constexpr int kSafetyCodeSet = 7;

class CPassAuthDlg : public Dialog {
  public:
    static constexpr std::size_t kPassChars = 6;
    static constexpr int kMaxSet = 7;

    CPassAuthDlg(UiPort& ui, int mode, std::int32_t icdev, int set);

    void OnInitDialog() override;
    void OnFieldChanged(int id) override;

    std::string m_strPass;
    int m_nSet;
    int m_nMode;
    std::int32_t m_icdev;

  protected:
    DialogAction OnOK() override;

  private:
    bool IsSafetyCode() const;
    // The set field as a set number; refuses anything else.
    std::optional<int> TakeSet();
    void ShowCount();
};

}  // namespace demo
