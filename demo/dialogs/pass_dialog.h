// SPDX-License-Identifier: MIT
// "input pass": asks for a card password as hexadecimal text.
#pragma once

#include <string>

#include "demo/dialogs/dialog.h"

namespace demo {

class CPassDlg : public Dialog {
  public:
    explicit CPassDlg(UiPort& ui);

    void OnInitDialog() override;

    // The password as typed, two hexadecimal digits per byte.
    std::string m_strPass;

  protected:
    DialogAction OnOK() override;
};

}  // namespace demo
