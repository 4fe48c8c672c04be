// SPDX-License-Identifier: MIT
// "Auto Test": finds the inserted card's family, reports it in the status
// panel and switches the menu bar to it. Runs once by itself after start-up.
#include <cstdint>
#include <optional>

#include "demo/commands/card_probe.h"
#include "demo/commands/handlers.h"
#include "demo/port/library_imports.h"
#include "demo/res/strings.h"
#include "demo/view/card_types.h"
#include "demo/view/colors.h"
#include "demo/view/demo_view.h"

namespace demo {

namespace {

constexpr int kResultBeeps = 5;

void ShowNoType(CDemoView& view, const char* line2) {
    view.EraseStatusLines();
    view.EraseField(screen::kTypeName, screen::kTypeNameChars);
    view.DrawStatus(1, "Test Error");
    view.DrawStatus(2, line2);
    view.Ui().DrawText(screen::kTypeName.x, screen::kTypeName.y, "Invalid Type", color::kBlack,
                       color::kGrey, Font::kPanel);
}

void ShowFound(CDemoView& view, int card_type) {
    view.DrawTypeName(card_type);
    if (card_type == card::kCpu) {
        view.EraseStatusLines();
        view.DrawStatus(2, "Test Succeed");
        return;
    }
    view.SetCapacity(card_type);
    view.DrawPortLabel();
    const int status = Lib().IC_InitType(view.Device(), LibraryTypeCode(card_type));
    view.EraseStatusLines();
    view.DrawStatus(2, status == 0 ? "Test Succeed" : "Test Error");
    if (card_type == card::k45D041) {
        unsigned char scratch[2] = {};
        Lib().IC_DirectRead(view.Device(), 0, 0, 2, scratch);
    }
}

void RunTest(CDemoView& view) {
    WaitCursor wait(view.Ui());
    view.BlankDump();
    view.SelectCardType(card::kNone);
    view.EraseField(screen::kPageNumber, screen::kPageChars);
    view.EraseField(screen::kPageCount, screen::kPageChars);
    view.DrawStatus(1, "Testing.");
    view.DrawStatus(2, "Waiting...");

    const int status = Lib().IC_Status(view.Device());
    if (status < 0) {
        wait.End();
        view.Ui().MessageBox("Connect Error!", text::kMessage, MsgButtons::kOk,
                             MsgIcon::kInformation);
        // The panel keeps its texts across repaints; these would claim a
        // test still running.
        view.EraseStatusLines();
        return;
    }
    std::optional<int> found;
    if (status == 0) {
        std::int32_t protocol = view.CpuProtocol();
        found = CardProbe(view.Device()).Run(protocol);
        view.NoteCpuProtocol(protocol);
    }
    for (int i = 0; i < kResultBeeps; ++i) view.Ui().Beep();
    if (found) {
        view.SelectCardType(*found);
        ShowFound(view, *found);
    } else {
        ShowNoType(view, status == 1 ? "No Card Insert" : "Invalid Type");
    }
}

}  // namespace

void OnAutoTest(CDemoView& view, int /*id*/) {
    view.ForgetImage();
    view.GetDocument()->ForgetModifiedRows();
    if (view.InEditMode()) {
        // Escape leaves edit mode without a question; should it ever not,
        // the test must still not run under the caret.
        view.OnKeyDown(Key::kEscape);
        if (view.InEditMode()) view.EndEditMode();
    }
    view.ForgetReadState();
    RunTest(view);
    view.SwitchMenu(view.CardType());
}

}  // namespace demo
