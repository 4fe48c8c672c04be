// "Change Pass": the user password or security code, and the AT88SC1604's
// area and erase passwords and the AT88SC102's erase keys.
#include <string>

#include "demo/commands/command_report.h"
#include "demo/commands/handlers.h"
#include "demo/commands/password_families.h"
#include "demo/res/command_ids.h"
#include "demo/view/card_types.h"
#include "demo/view/demo_view.h"
#include "demo/view/library_imports.h"

namespace demo {

namespace {

void NoFunctionOnStatus(CDemoView& view, const char* text) {
    BeepFiveTimes(view);
    view.DrawStatus(2, text);
}

// Commands 32820 to 32823 change area passwords 1 to 4, 32824 to 32827 the
// erase passwords 11 to 14.
int At88sc1604Index(int id) {
    return id <= cmd::kChangeArea4 ? id - cmd::kChangeArea1 + 1 : id - cmd::kChangeEraseArea1 + 11;
}

// The erase keys of an AT88SC102 are counted by its user password counter.
void ChangeAt88sc102EraseKey(CDemoView& view, int area) {
    PassSteps steps = FamilySteps(view, *PassFamilyOf(card::kAt88sc102), 0, PassAction::kChange);
    steps.digits = area == 1 ? 12 : 8;
    steps.length_message = "Card Password Length Must Be " + std::to_string(steps.digits) + "!";
    steps.present = [&view, area](const std::uint8_t* key) {
        return Lib().IC_ChangeAZPass_102(view.m_icdev, area, key);
    };
    steps.failure_message = "Change Password Fail!";
    RunPassSteps(view, steps);
}

}  // namespace

void OnChangePass(CDemoView& view, int /*id*/) {
    BeginPassCommand(view);
    const int type = view.m_nCardType;
    const PassFamily* family = PassFamilyOf(type);
    if (!family) {
        if (type != card::kSle4406 && type != card::kSle4404 && type != card::kAt88sc101 &&
            type != card::kAt88sc103) {
            NoFunctionOnStatus(view, "No function!");
        }
        return;
    }
    PassSteps steps = FamilySteps(view, *family, 0, PassAction::kChange);
    if (type == card::kSle4442) {
        steps.digits = 6;
        steps.length_message = "assword Lengh Must Be Six!";
    }
    if (type == card::kSle4428) steps.zero_message += "!";
    RunPassSteps(view, steps);
}

// Commands 32820 to 32827.
void OnChangeAreaPass(CDemoView& view, int id) {
    BeginPassCommand(view);
    const int type = view.m_nCardType;
    if (IsAt88sc1604(type)) {
        const PassFamily& family = *PassFamilyOf(type);
        PassSteps steps = FamilySteps(view, family, At88sc1604Index(id), PassAction::kChange);
        // The user password's counter guards every change.
        steps.attempts = AttemptsOf(view, family, 0);
        steps.failure_message = "Change Password Fail!";
        RunPassSteps(view, steps);
    } else if (type == card::kAt88sc102 &&
               (id == cmd::kChangeEraseArea1 || id == cmd::kChangeEraseArea2)) {
        ChangeAt88sc102EraseKey(view, id - cmd::kChangeEraseArea1 + 1);
    } else {
        NoFunctionOnStatus(view, "No Function");
    }
}

}  // namespace demo
