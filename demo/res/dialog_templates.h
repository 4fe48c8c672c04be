// SPDX-License-Identifier: MIT
// Dialog templates as data: title, size in dialog units, font and controls.
#pragma once

#include "demo/port/dialog_template.h"

namespace demo {

namespace about_dlg {
constexpr int kId = 100;
constexpr int kLine1 = 1001;
constexpr int kLine2 = 1002;
constexpr int kLine3 = 1003;
}  // namespace about_dlg

namespace page_dlg {
constexpr int kId = 113;
constexpr int kPage = 1000;
constexpr int kRange = 1001;
}  // namespace page_dlg

namespace pass_dlg {
constexpr int kId = 102;
constexpr int kPass = 1000;
}  // namespace pass_dlg

namespace cpu_dlg {
constexpr int kId = 127;
constexpr int kCardReset = 1003;
constexpr int kAnswerToReset = 1004;
constexpr int kSendCommand = 1005;
constexpr int kCommand = 1006;
constexpr int kResponse = 1007;
constexpr int kPowerDown = 1008;
constexpr int kSamCard = 1029;
constexpr int kMainCard = 1030;
constexpr int kPushCard = 1031;
// A command of at most 255 bytes, two digits each.
constexpr std::size_t kMaxCommandChars = 510;
}  // namespace cpu_dlg

const DialogTemplate& AboutDialogTemplate();
const DialogTemplate& PageDialogTemplate();
const DialogTemplate& PassDialogTemplate();
const DialogTemplate& CpuCardDialogTemplate();

}  // namespace demo
