// SPDX-License-Identifier: MIT
// Dialog 146: the reader itself rather than a card. Sounds the beeper, reads
// and writes the reader's own memory, and holds a concealed "page mode"
// button that ends the dialog with OK.
#pragma once

#include <cstdint>
#include <string>

#include "demo/dialogs/dialog.h"

namespace demo {

class CDeviceDlg : public Dialog {
  public:
    static constexpr unsigned kMemorySize = 2048;
    static constexpr int kMaxBeepTime = 255;
    // "page mode" shows for a right double click this close to the corner.
    static constexpr int kCornerPixels = 5;

    CDeviceDlg(UiPort& ui, std::int32_t icdev);

    void OnInitDialog() override;
    DialogAction OnButton(int id) override;
    void OnRButtonDblClk(int x, int y) override;

    int m_nBeepTime = 20;
    unsigned m_nStartAddr = 0;
    unsigned m_nLength = 10;
    std::string m_strData;
    std::int32_t m_icdev;

  protected:
    DialogAction OnOK() override;

  private:
    // Takes every field as the framework does; false after a refusal.
    bool TakeFields();
    void PutFields();
    // The bounds of an access to the reader memory, with the message for a
    // start beyond it.
    bool InMemory(const char* start_error);
    void Beep();
    void Write();
    void Read();
};

}  // namespace demo
