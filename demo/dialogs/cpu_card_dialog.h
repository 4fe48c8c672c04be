// SPDX-License-Identifier: MIT
// Dialog 127, "CPU card": resets a CPU card or module card and exchanges
// commands typed in hexadecimal, in the main slot or the module slot.
#pragma once

#include <cstdint>
#include <string_view>

#include "demo/dialogs/dialog.h"

namespace demo {

class CCpuCardDlg : public Dialog {
  public:
    CCpuCardDlg(UiPort& ui, std::int32_t icdev);

    DialogAction OnButton(int id) override;

    std::int32_t m_icdev;

  private:
    void OnCardReset();
    void OnSendCommand();
    void OnPowerDown();
    void OnSelectSlot(int library_type_code);
    void OnPushCard();
    void Notice(std::string_view text, std::string_view caption);
};

}  // namespace demo
