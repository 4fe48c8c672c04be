// SPDX-License-Identifier: MIT
// The one-time fuses: "Fuse" of the AT88SC102 and AT88SC1604, "Fuse State"
// and "Card Fuse" of the AT88SC1608. Every blow is confirmed first.
#include <optional>
#include <string>

#include "demo/commands/command_report.h"
#include "demo/commands/handlers.h"
#include "demo/port/library_imports.h"
#include "demo/res/strings.h"
#include "demo/view/card_types.h"
#include "demo/view/demo_view.h"

namespace demo {

namespace {

// The AT88SC1608's fuses are blown FAB first, then CMA, then PER; the fuse
// state reads 7, 6, 1 and finally 0.
struct FuseState {
    int value;
    const char* text;
    const char* next;  // the fuse the next blow takes
};
constexpr FuseState kFuseStates[] = {
    {7, "\nPER No Fuse  CMA No Fuse  FAB No Fuse", "FAB"},
    {6, "\nPER No Fuse  CMA No Fuse  FAB Fuse", "CMA"},
    {1, "\nPER No Fuse  CMA Fuse  FAB Fuse", "PER"},
    {0, "\nPER Fuse  CMA Fuse  FAB Fuse", nullptr},
};

const FuseState* FindFuseState(int value) {
    for (const FuseState& state : kFuseStates) {
        if (state.value == value) return &state;
    }
    return nullptr;
}

// The fuse state, or nothing when it cannot be read (reported).
std::optional<int> ReadFuseState(CDemoView& view) {
    const int value = Lib().IC_ReadFuse(view.Device());
    if (value >= 0) return value;
    view.Ui().MessageBox("Read Fuse Error!", "Error Message", MsgButtons::kOk, MsgIcon::kStop);
    return std::nullopt;
}

std::string FuseCountText(int value) {
    return "Current Fuse Count  " + std::to_string(value);
}

using FuseCall = std::int16_t (*)(std::int32_t);

FuseCall FuseOf(int card_type) {
    switch (card_type) {
        case card::kAt88sc102:
            return [](std::int32_t icdev) { return Lib().IC_Fuse_102(icdev); };
        case card::kAt88sc1604A:
            return [](std::int32_t icdev) { return Lib().IC_Fuse_1604(icdev); };
        case card::kAt88sc1604B:
            return [](std::int32_t icdev) { return Lib().IC_Fuse_1604B(icdev); };
        default:
            return nullptr;
    }
}

}  // namespace

void OnFuse(CDemoView& view, int /*id*/) {
    view.EraseStatusLines();
    const FuseCall fuse = FuseOf(view.CardType());
    if (!fuse) return;
    if (view.Ui().MessageBox("Card Will Fuse! Continue?", "Warning...", MsgButtons::kOkCancel,
                             MsgIcon::kNone) != MsgAnswer::kOk) {
        return;
    }
    ReportOutcome(view, fuse(view.Device()) == 0);
}

void OnFuseState(CDemoView& view, int /*id*/) {
    const std::optional<int> value = ReadFuseState(view);
    if (!value) return;
    const FuseState* state = FindFuseState(*value);
    view.Ui().MessageBox(FuseCountText(*value) + (state ? state->text : "Fuse Invaild"),
                         "Fuse Instance ", MsgButtons::kOk, MsgIcon::kNone);
}

// Blows one fuse per confirmed use, the next in order.
void OnCardFuse(CDemoView& view, int /*id*/) {
    const std::optional<int> value = ReadFuseState(view);
    if (!value) return;
    UiPort& ui = view.Ui();
    const FuseState* state = FindFuseState(*value);
    if (!state) {
        ui.MessageBox(FuseCountText(*value) + "\nFuse Invaild,Can't Fuse!", " Card Fuse",
                      MsgButtons::kOk, MsgIcon::kNone);
        return;
    }
    if (!state->next) {
        ui.MessageBox(FuseCountText(*value) + state->text + "\nAll Fuse Do!", "Card Fuse",
                      MsgButtons::kOk, MsgIcon::kNone);
        return;
    }
    const std::string question =
        FuseCountText(*value) + state->text +
        "\nCard Fuse is by FAB CMA PER order,One Times fuse One\n This Times Will Fuse " +
        state->next + "\n\nWarning:Card Fuse can't resume,continue?";
    if (ui.MessageBox(question, text::kAppTitle, MsgButtons::kOkCancel, MsgIcon::kNone) !=
        MsgAnswer::kOk) {
        return;
    }
    // Any status but 0 means the fuse may not have been blown.
    if (Lib().IC_WriteFuse(view.Device(), 0) != 0) {
        ui.MessageBox(" Card Fuse fail!", " Card Fuse", MsgButtons::kOk, MsgIcon::kStop);
    } else {
        ui.MessageBox(" Card Fuse succeed!", " Card Fuse", MsgButtons::kOk, MsgIcon::kNone);
    }
}

}  // namespace demo
