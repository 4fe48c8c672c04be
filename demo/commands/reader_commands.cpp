// SPDX-License-Identifier: MIT
// The reader's version and the firmware update.
#include "demo/commands/handlers.h"
#include "demo/port/library_imports.h"
#include "demo/res/strings.h"
#include "demo/view/card_types.h"
#include "demo/view/demo_view.h"

namespace demo {

namespace {

// IC_InitType's answer when the update needs a card in the slot.
constexpr int kUpdateNeedsCard = -134;
constexpr int kUpdateType = 253;
// The second byte of a card that asks for the download program.
constexpr unsigned char kDownloadMark = 'M';

void Notify(CDemoView& view, const char* text) {
    view.Ui().MessageBox(text, text::kMessage, MsgButtons::kOk, MsgIcon::kInformation);
}

void SelectCurrentType(CDemoView& view) {
    Lib().IC_InitType(view.Device(), LibraryTypeCode(view.CardType()));
}

}  // namespace

void OnVersion(CDemoView& view, int /*id*/) {
    // Room for the longest version text: 255 bytes as hexadecimal and a NUL.
    char version[512] = {};
    if (Lib().IC_ReadVer(view.Device(), version) != 0) {
        view.Ui().MessageBox("Get Version Error!", text::kAppTitle, MsgButtons::kOk,
                             MsgIcon::kNone);
        return;
    }
    version[sizeof version - 1] = '\0';
    view.Ui().MessageBox(version, "Version", MsgButtons::kOk, MsgIcon::kNone);
}

void OnUpdate(CDemoView& view, int /*id*/) {
    UiPort& ui = view.Ui();
    const int status = Lib().IC_InitType(view.Device(), kUpdateType);
    if (status == kUpdateNeedsCard) {
        Notify(view, "Insert one Card into the Reader and then retry...");
        SelectCurrentType(view);
    } else if (status < 0) {
        Notify(view, "Error occur while detecting the Reader...");
        Lib().IC_ExitComm(view.Device());
        ui.PostQuit();
    }
    unsigned char head[2] = {};
    if (Lib().IC_Read(view.Device(), 0, 2, head) != 0) {
        // Leave the library on the card family the view shows, not on the
        // update type.
        SelectCurrentType(view);
        return;
    }
    if (head[1] == kDownloadMark) {
        Lib().IC_ExitComm(view.Device());
        ui.StartProgram("DownLoad.exe");
        ui.PostQuit();
        return;
    }
    Notify(view, "This reader can't support this function...");
    SelectCurrentType(view);
}

}  // namespace demo
