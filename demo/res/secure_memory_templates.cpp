// SPDX-License-Identifier: MIT
// Dialogs 144 and 145: the secure-memory password dialog and the mutual
// authentication dialog.
#include "demo/res/secure_dialog_templates.h"

namespace demo {

const DialogTemplate& PassAuthDialogTemplate() {
    using namespace pass_auth_dlg;
    static const DialogTemplate kTemplate = {
        kId,
        "check pass",
        170,
        88,
        "Times New Roman",
        10,
        {
            {kIdStatic, ControlKind::kLabel, "inputpass(6):", 10, 12, 56, 10},
            {kPass, ControlKind::kEdit, "", 70, 10, 60, 13, style::kUpperCase, 6},
            {kSetLabel, ControlKind::kLabel, "passset(0-7):", 10, 30, 56, 10},
            {kSet, ControlKind::kEdit, "", 70, 28, 30, 13},
            {kCount, ControlKind::kLabel, "current pass count:", 10, 48, 150, 10},
            {kIdOk, ControlKind::kDefaultButton, "OK", 24, 66, 50, 14},
            {kIdCancel, ControlKind::kButton, "Cancel", 96, 66, 50, 14},
        }};
    return kTemplate;
}

const DialogTemplate& AuthDialogTemplate() {
    using namespace auth_dlg;
    static const DialogTemplate kTemplate = {
        kId,
        "auth each other",
        236,
        126,
        "Times New Roman",
        10,
        {
            {kIdStatic, ControlKind::kLabel, "input rand(16):", 10, 12, 62, 10},
            {kRandom, ControlKind::kEdit, "", 76, 10, 96, 13, 0, 16},
            {kIdStatic, ControlKind::kLabel, "input pass(16):", 10, 30, 62, 10},
            {kPass, ControlKind::kEdit, "", 76, 28, 96, 13, 0, 16},
            {kCount, ControlKind::kLabel, "current pass count:8", 10, 48, 160, 10},
            {kIdStatic, ControlKind::kLabel, "<1>init auth", 10, 68, 96, 10},
            {kInitAuth, ControlKind::kButton, "begin auth", 112, 66, 60, 14},
            {kIdStatic, ControlKind::kLabel, "<2>card auth device", 10, 86, 96, 10},
            {kCardAuthDevice, ControlKind::kButton, "begin auth", 112, 84, 60, 14},
            {kIdStatic, ControlKind::kLabel, "<2>device auth card", 10, 104, 96, 10},
            {kDeviceAuthCard, ControlKind::kButton, "begin auth", 112, 102, 60, 14},
            {kIdCancel, ControlKind::kButton, "quit", 184, 102, 42, 14},
        }};
    return kTemplate;
}

}  // namespace demo
