// SPDX-License-Identifier: MIT
// "Check Pass": the user password or security code, the AT88SC1604's area
// passwords and the erase passwords, with the AT88SC102 area erase that a
// correct erase key allows.
#include <algorithm>
#include <initializer_list>
#include <string>

#include "demo/commands/command_report.h"
#include "demo/commands/handlers.h"
#include "demo/commands/password_families.h"
#include "demo/port/library_imports.h"
#include "demo/res/command_ids.h"
#include "demo/view/card_types.h"
#include "demo/view/demo_view.h"

namespace demo {

namespace {

// The card types in `silent` end the command without a word.
void NoFunction(CDemoView& view, std::initializer_list<int> silent) {
    if (std::find(silent.begin(), silent.end(), view.CardType()) == silent.end()) {
        ShowErrorMessage(view, "No Function");
    }
}

bool ReadCardAfterPassword(CDemoView& view) {
    OnReadCard(view, cmd::kReadCard);
    return true;
}

// The memory an AT88SC102 erase key clears: offset and length of each area.
struct EraseArea {
    int offset;
    int length;
};
constexpr EraseArea kEraseAreas[] = {{24, 62}, {93, 63}};

// An AT88SC102 erase key has no counter; a correct one erases its area.
void CheckAt88sc102EraseKey(CDemoView& view, int area) {
    PassSteps steps;
    steps.counter = PassSteps::Counter::kNone;
    steps.digits = area == 1 ? 12 : 8;
    steps.length_message = "Password Lengh Must Be " + std::to_string(steps.digits) + "!";
    steps.present = [&view, area](const std::uint8_t* key) {
        return Lib().IC_CheckAZPass_102(view.Device(), area, key);
    };
    steps.failure_message = "Password Error!";
    steps.on_accepted = [&view, area] {
        const EraseArea erase = kEraseAreas[area - 1];
        // Any status but 0 leaves the area as it was.
        if (Lib().IC_Erase_102(view.Device(), erase.offset, erase.length) != 0) return false;
        return ReadCardAfterPassword(view);
    };
    RunPassSteps(view, steps);
}

int EraseIndex(int id) {
    switch (id) {
        case cmd::kCheckEraseArea1:
            return 11;
        case cmd::kCheckEraseArea2:
            return 12;
        case cmd::kCheckEraseArea3:
            return 13;
        default:
            return 14;
    }
}

}  // namespace

void OnCheckPass(CDemoView& view, int /*id*/) {
    BeginPassCommand(view);
    const int type = view.CardType();
    const PassFamily* family = PassFamilyOf(type);
    if (!family) {
        NoFunction(view, {card::kSle4406, card::kSle4418, card::kSle4404, card::kAt88sc101,
                          card::kAt88sc103});
        return;
    }
    PassSteps steps = FamilySteps(view, *family, 0, PassAction::kCheck);
    if (type == card::kSle4442) {
        steps.digits = 6;
        steps.length_message = "Password Lengh Must Be Six!";
        steps.beeps_before_failure = false;
    }
    if (IsAt88sc1604(type)) steps.counter = PassSteps::Counter::kAfterDialog;
    // A correct user password opens the memory: show it.
    if (type == card::kAt88sc102)
        steps.on_accepted = [&view] { return ReadCardAfterPassword(view); };
    RunPassSteps(view, steps);
}

// Commands 32801 to 32804: area passwords 1 to 4, which have no counter of
// their own here.
void OnCheckAreaPass(CDemoView& view, int id) {
    BeginPassCommand(view);
    if (!IsAt88sc1604(view.CardType())) {
        NoFunction(view, {card::kSle4404, card::kAt88sc103});
        return;
    }
    PassSteps steps = FamilySteps(view, *PassFamilyOf(view.CardType()), id - cmd::kCheckArea1 + 1,
                                  PassAction::kCheck);
    steps.counter = PassSteps::Counter::kNone;
    RunPassSteps(view, steps);
}

// Commands 32781, 32788, 32798 and 32799: the erase passwords of areas 1 to
// 4 of an AT88SC1604, or the erase keys of areas 1 and 2 of an AT88SC102.
void OnCheckErasePass(CDemoView& view, int id) {
    BeginPassCommand(view);
    const int type = view.CardType();
    if (IsAt88sc1604(type)) {
        PassSteps steps =
            FamilySteps(view, *PassFamilyOf(type), EraseIndex(id), PassAction::kCheck);
        steps.zero_message = "This Area Password Count Equal To Zero";
        RunPassSteps(view, steps);
    } else if (type == card::kAt88sc102 &&
               (id == cmd::kCheckEraseArea1 || id == cmd::kCheckEraseArea2)) {
        CheckAt88sc102EraseKey(view, id == cmd::kCheckEraseArea1 ? 1 : 2);
    } else {
        NoFunction(view, {card::kSle4404, card::kAt88sc103});
    }
}

}  // namespace demo
