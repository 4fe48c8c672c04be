// SPDX-License-Identifier: MIT
// Dialog 146, the device control dialog. "page mode" is its OK button,
// concealed until revealed; it is no default button, so Return never
// presses it.
#include "demo/res/secure_dialog_templates.h"

namespace demo {

const DialogTemplate& DeviceDialogTemplate() {
    using namespace device_dlg;
    static const DialogTemplate kTemplate = {
        kId,
        "device",
        220,
        118,
        "Times New Roman",
        10,
        {
            {kIdStatic, ControlKind::kLabel, "beep time(10)", 10, 12, 52, 10},
            {kBeepTime, ControlKind::kEdit, "", 66, 10, 44, 13},
            {kBeep, ControlKind::kButton, "beep", 122, 9, 44, 14},
            {kIdStatic, ControlKind::kLabel, "startaddr", 10, 30, 52, 10},
            {kStart, ControlKind::kEdit, "", 66, 28, 44, 13},
            {kWrite, ControlKind::kButton, "write", 122, 27, 44, 14},
            {kIdStatic, ControlKind::kLabel, "length", 10, 48, 52, 10},
            {kLength, ControlKind::kEdit, "", 66, 46, 44, 13},
            {kRead, ControlKind::kButton, "read", 122, 45, 44, 14},
            {kIdStatic, ControlKind::kLabel, "RW device data:", 10, 66, 80, 10},
            {kData, ControlKind::kEdit, "", 10, 78, 200, 13, 0, kDataChars},
            {kIdOk, ControlKind::kButton, "page mode", 10, 98, 50, 14, style::kHidden},
            {kIdCancel, ControlKind::kButton, "quit", 160, 98, 50, 14},
        }};
    return kTemplate;
}

}  // namespace demo
