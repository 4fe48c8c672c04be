// SPDX-License-Identifier: MIT
// Selecting the card family by hand.
#include <algorithm>
#include <iterator>

#include "demo/commands/handlers.h"
#include "demo/port/library_imports.h"
#include "demo/res/command_ids.h"
#include "demo/view/card_types.h"
#include "demo/view/demo_view.h"

namespace demo {

namespace {

struct HandSelection {
    int command;
    int card_type;
    bool presence_check;  // the card must also answer the status query
};

constexpr HandSelection kHandSelections[] = {
    {cmd::k24C01A, card::k24C01A, true},
    {cmd::k24C02, card::k24C02, false},
    {cmd::k24C04, card::k24C04, false},
    {cmd::k24C08, card::k24C08, false},
    {cmd::k24C16, card::k24C16, false},
    {cmd::k24C64, card::k24C64, false},
    {cmd::kSle4442, card::kSle4442, true},
    {cmd::kSle4428, card::kSle4428, true},
    {cmd::kAt88sc102, card::kAt88sc102, false},
    {cmd::kAt88sc1604A, card::kAt88sc1604A, false},
    {cmd::kAt88sc1604B, card::kAt88sc1604B, false},
    {cmd::k45D041, card::k45D041, true},
    {cmd::kSsf1101, card::kSsf1101, true},
    {cmd::kAt88sc1608, card::kAt88sc1608, false},
};

// Shows the new card type in the view before the library is told. The
// panel's texts belong to the old card type's commands: they go with its
// menu.
void ShowCardType(CDemoView& view, int card_type) {
    view.SelectCardType(card_type);
    view.ForgetImage();
    view.GetDocument()->ForgetModifiedRows();
    view.EraseStatusLines();
    view.SwitchMenu(card_type);
    view.DrawTypeName(card_type);
    view.SetCapacity(card_type);
}

}  // namespace

void OnSelectCardType(CDemoView& view, int id) {
    auto it = std::find_if(std::begin(kHandSelections), std::end(kHandSelections),
                           [id](const HandSelection& s) { return s.command == id; });
    if (it == std::end(kHandSelections)) return;
    ShowCardType(view, it->card_type);
    int status = Lib().IC_InitType(view.Device(), LibraryTypeCode(it->card_type));
    if (status == 0 && it->presence_check) status = Lib().IC_Status(view.Device());
    view.EraseStatusLines();
    view.DrawStatus(2, status == 0 ? "Set Succeed" : "Set Error");
}

void OnSelectCpu(CDemoView& view, int /*id*/) {
    ShowCardType(view, card::kCpu);
    unsigned char length = 0;
    unsigned char answer[256] = {};
    if (Lib().IC_InitType(view.Device(), VEXA_TYPE_CPU) != 0 ||
        Lib().IC_CpuReset(view.Device(), &length, answer) != 0 || length < kMinCpuAnswer) {
        view.SelectCardType(card::kNone);
        return;
    }
    view.NoteCpuProtocol(Lib().IC_CpuGetProtocol(view.Device()));
    view.SwitchMenu(card::kCpu);
}

// Commands 32829, 32844 and 32845 select the module slots 13, 14 and 15.
void OnSelectSam(CDemoView& view, int id) {
    const int library_code = id == cmd::kSam ? VEXA_TYPE_SAM1 : VEXA_TYPE_SAM2 + (id - cmd::kSam14);
    view.SelectCardType(card::kSam);
    if (Lib().IC_InitType(view.Device(), library_code) != 0) {
        view.SelectCardType(card::kNone);
        return;
    }
    view.EraseStatusLines();
    view.SwitchMenu(card::kSam);
}

}  // namespace demo
