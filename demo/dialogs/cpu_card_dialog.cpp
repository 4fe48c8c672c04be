// SPDX-License-Identifier: MIT
#include "demo/dialogs/cpu_card_dialog.h"

#include <algorithm>
#include <array>
#include <string>

#include "demo/dialogs/hex_text.h"
#include "demo/port/library_imports.h"
#include "demo/port/ui_port.h"
#include "demo/res/dialog_templates.h"
#include "demo/res/strings.h"

namespace demo {

namespace {

// Library type codes of the two slots.
constexpr int kMainSlot = VEXA_TYPE_CPU;
constexpr int kModuleSlot = VEXA_TYPE_SAM1;

// Answers and commands carry a one-byte length.
constexpr std::size_t kMaxBytes = 255;

std::string ErrorCodeText(int status) {
    return "ERR_CODE=" + std::to_string(status);
}

}  // namespace

CCpuCardDlg::CCpuCardDlg(UiPort& ui, std::int32_t icdev)
    : Dialog(CpuCardDialogTemplate(), ui), m_icdev(icdev) {}

DialogAction CCpuCardDlg::OnButton(int id) {
    switch (id) {
        case cpu_dlg::kCardReset:
            OnCardReset();
            break;
        case cpu_dlg::kSendCommand:
            OnSendCommand();
            break;
        case cpu_dlg::kPowerDown:
            OnPowerDown();
            break;
        case cpu_dlg::kMainCard:
            OnSelectSlot(kMainSlot);
            break;
        case cpu_dlg::kSamCard:
            OnSelectSlot(kModuleSlot);
            break;
        case cpu_dlg::kPushCard:
            OnPushCard();
            break;
        default:
            return Dialog::OnButton(id);
    }
    return DialogAction::kStayOpen;
}

void CCpuCardDlg::OnCardReset() {
    unsigned char length = 0;
    std::array<unsigned char, kMaxBytes + 1> answer{};
    const int status = Lib().IC_CpuReset(m_icdev, &length, answer.data());
    if (status != 0) {
        Notice(ErrorCodeText(status), "Error Message");
        return;
    }
    SetText(cpu_dlg::kAnswerToReset, BytesToHexText({answer.data(), length}));
}

void CCpuCardDlg::OnSendCommand() {
    const std::optional<std::vector<std::uint8_t>> bytes = HexTextToBytes(Text(cpu_dlg::kCommand));
    if (!bytes) {
        Notice("data format error", "error message");
        return;
    }
    // The field takes no more than a full command; this only guards the copy.
    std::array<unsigned char, kMaxBytes> command{};
    const std::size_t length = std::min(bytes->size(), kMaxBytes);
    std::copy_n(bytes->begin(), length, command.begin());
    unsigned char response_length = 0;
    std::array<unsigned char, kMaxBytes + 1> response{};
    const int status = Lib().IC_CpuApdu(m_icdev, static_cast<std::int32_t>(length), command.data(),
                                        &response_length, response.data());
    if (status != 0) {
        Notice(ErrorCodeText(status), "error message");
        return;
    }
    SetText(cpu_dlg::kResponse, BytesToHexText({response.data(), response_length}));
}

void CCpuCardDlg::OnPowerDown() {
    if (Lib().IC_Down(m_icdev) != 0) Notice("PowerDown Error.", text::kAppTitle);
}

// The slot stays selected in the library after the dialog closes; the view's
// card type is left as it is.
void CCpuCardDlg::OnSelectSlot(int library_type_code) {
    if (Lib().IC_InitType(m_icdev, library_type_code) != 0)
        Notice("IC_InitType Error.", text::kAppTitle);
}

void CCpuCardDlg::OnPushCard() {
    if (Lib().IC_Pushout(m_icdev) != 0) Notice("IC_Pushout Error.", text::kAppTitle);
}

void CCpuCardDlg::Notice(std::string_view text, std::string_view caption) {
    ui_.MessageBox(text, caption, MsgButtons::kOk, MsgIcon::kNone);
}

}  // namespace demo
