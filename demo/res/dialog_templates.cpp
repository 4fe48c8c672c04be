// SPDX-License-Identifier: MIT
#include "demo/res/dialog_templates.h"

namespace demo {

const DialogTemplate& AboutDialogTemplate() {
    static const DialogTemplate kTemplate = {
        about_dlg::kId,
        "About Demo",
        251,
        90,
        "Times New Roman",
        10,
        {
            {kIdStatic, ControlKind::kIcon, "", 12, 14, 20, 20},
            {about_dlg::kLine1, ControlKind::kLabel, "", 42, 16, 198, 8},
            {about_dlg::kLine2, ControlKind::kLabel, "", 42, 28, 199, 8},
            {about_dlg::kLine3, ControlKind::kLabel, "", 42, 39, 169, 19},
            {kIdOk, ControlKind::kDefaultButton, "OK", 106, 67, 32, 14},
        }};
    return kTemplate;
}

const DialogTemplate& PageDialogTemplate() {
    static const DialogTemplate kTemplate = {
        page_dlg::kId,
        "input page",
        186,
        62,
        "Times New Roman",
        10,
        {
            {kIdStatic, ControlKind::kLabel, "input page:", 10, 12, 44, 10},
            {page_dlg::kPage, ControlKind::kEdit, "", 56, 10, 40, 13},
            {page_dlg::kRange, ControlKind::kLabel, "", 100, 12, 80, 20},
            {kIdOk, ControlKind::kDefaultButton, "ok", 68, 40, 50, 14},
        }};
    return kTemplate;
}

const DialogTemplate& PassDialogTemplate() {
    static const DialogTemplate kTemplate = {
        pass_dlg::kId,
        "input pass",
        180,
        62,
        "Times New Roman",
        10,
        {
            {kIdStatic, ControlKind::kLabel, "input password:", 10, 12, 58, 10},
            {pass_dlg::kPass, ControlKind::kEdit, "", 70, 10, 100, 13, style::kUpperCase},
            {kIdOk, ControlKind::kDefaultButton, "ok", 30, 38, 50, 14},
            {kIdCancel, ControlKind::kButton, "cancel", 100, 38, 50, 14},
        }};
    return kTemplate;
}

const DialogTemplate& CpuCardDialogTemplate() {
    using enum ControlKind;
    static const DialogTemplate kTemplate = {
        cpu_dlg::kId,
        "CPU card",
        342,
        146,
        "Times New Roman",
        10,
        {
            {cpu_dlg::kCardReset, kButton, "card reset", 10, 8, 50, 14},
            {cpu_dlg::kMainCard, kRadio, "main card", 82, 9, 54, 12},
            {cpu_dlg::kSamCard, kRadio, "sam card", 150, 9, 54, 12},
            {kIdStatic, kLabel, "reset message", 12, 31, 58, 10},
            {cpu_dlg::kAnswerToReset, kEdit, "", 76, 27, 250, 13, style::kUpperCase},
            {cpu_dlg::kSendCommand, kDefaultButton, "command", 10, 50, 50, 14},
            {kIdStatic, kLabel, "send:", 12, 73, 40, 10},
            {cpu_dlg::kCommand, kEdit, "", 76, 69, 251, 13, style::kUpperCase,
             cpu_dlg::kMaxCommandChars},
            {kIdStatic, kLabel, "return:", 12, 93, 40, 10},
            {cpu_dlg::kResponse, kEdit, "", 76, 89, 251, 13, style::kUpperCase},
            {cpu_dlg::kPowerDown, kButton, "power down", 11, 119, 50, 14},
            {cpu_dlg::kPushCard, kButton, "push card", 129, 118, 56, 15},
            {kIdCancel, kButton, "quit", 263, 118, 50, 14},
        }};
    return kTemplate;
}

}  // namespace demo
