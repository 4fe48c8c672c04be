// Dialog templates as data: title, size in dialog units, font and controls.
#pragma once

#include "demo/dialogs/dialog.h"

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

const DialogTemplate& AboutDialogTemplate();
const DialogTemplate& PageDialogTemplate();
const DialogTemplate& PassDialogTemplate();

}  // namespace demo
