// SPDX-License-Identifier: MIT
// The templates of the dialogs of the reader and of secure memory cards:
// the password dialog with its attempt count, mutual authentication and
// device control.
#pragma once

#include "demo/port/dialog_template.h"

namespace demo {

namespace pass_auth_dlg {
constexpr int kId = 144;
constexpr int kSet = 1006;
constexpr int kPass = 1007;
constexpr int kSetLabel = 1008;
constexpr int kCount = 1010;
}  // namespace pass_auth_dlg

namespace auth_dlg {
constexpr int kId = 145;
constexpr int kPass = 1004;
constexpr int kInitAuth = 1013;
constexpr int kCardAuthDevice = 1014;
constexpr int kDeviceAuthCard = 1015;
constexpr int kCount = 1016;
constexpr int kRandom = 1017;
}  // namespace auth_dlg

namespace device_dlg {
constexpr int kId = 146;
constexpr int kData = 1003;
constexpr int kBeep = 1014;
constexpr int kWrite = 1015;
constexpr int kRead = 1016;
constexpr int kStart = 1019;
constexpr int kLength = 1020;
constexpr int kBeepTime = 1021;
// The data field holds as many characters as the reader memory has bytes.
constexpr int kDataChars = 2048;
}  // namespace device_dlg

const DialogTemplate& PassAuthDialogTemplate();
const DialogTemplate& AuthDialogTemplate();
const DialogTemplate& DeviceDialogTemplate();

}  // namespace demo
