// SPDX-License-Identifier: MIT
// Dialog 100, the About box.
#pragma once

#include "demo/dialogs/dialog.h"

namespace demo {

class CAboutDlg : public Dialog {
  public:
    explicit CAboutDlg(UiPort& ui);
    void OnInitDialog() override;
};

}  // namespace demo
