// SPDX-License-Identifier: MIT
// "input page": asks for the card-side page or zone to read.
#pragma once

#include <string>

#include "demo/dialogs/dialog.h"

namespace demo {

class CPageDlg : public Dialog {
  public:
    // The field accepts 0 to 2047 whatever the family; callers clamp.
    static constexpr int kMaxPage = 2047;

    CPageDlg(UiPort& ui, int page, std::string range_text);

    void OnInitDialog() override;

    int m_nPage;

  protected:
    DialogAction OnOK() override;

  private:
    std::string range_text_;
};

}  // namespace demo
