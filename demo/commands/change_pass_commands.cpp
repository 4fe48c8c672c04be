// SPDX-License-Identifier: MIT
// "Change Pass": the user password or security code, and the AT88SC1604's
// area and erase passwords and the AT88SC102's erase keys.
#include <algorithm>
#include <array>
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
        return Lib().IC_ChangeAZPass_102(view.Device(), area, key);
    };
    steps.failure_message = "Change Password Fail!";
    RunPassSteps(view, steps);
}

using CodeReader = int (*)(std::int32_t icdev, std::uint8_t* code);

int ReadSle4442Code(std::int32_t icdev, std::uint8_t* code) {
    return Lib().IC_ReadPass_SLE4442(icdev, code);
}

int ReadSle4428Code(std::int32_t icdev, std::uint8_t* code) {
    constexpr int kCodeAddress = 1022;
    return Lib().IC_Read(icdev, kCodeAddress, 2, code);
}

// The chip never answers a new code, so only the code read back tells that
// it took it. Before the code was presented the card reads its code as
// zeros: a new code of zeros read back there proves nothing.
void VerifyCodeChange(CDemoView& view, PassSteps& steps, CodeReader read_code) {
    const std::size_t length = steps.digits / 2;
    steps.present = [&view, change = steps.present, read_code, length](const std::uint8_t* code) {
        constexpr int kNotTaken = -1;
        std::array<std::uint8_t, 3> before{};
        std::array<std::uint8_t, 3> after{};
        read_code(view.Device(), before.data());
        if (const int status = change(code); status != 0) return status;
        if (read_code(view.Device(), after.data()) != 0 ||
            !std::equal(code, code + length, after.begin())) {
            return kNotTaken;
        }
        const auto zeros = [length](const std::uint8_t* bytes) {
            return std::all_of(bytes, bytes + length, [](std::uint8_t b) { return b == 0; });
        };
        return zeros(code) && zeros(before.data()) ? kNotTaken : 0;
    };
}

}  // namespace

void OnChangePass(CDemoView& view, int /*id*/) {
    BeginPassCommand(view);
    const int type = view.CardType();
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
        VerifyCodeChange(view, steps, ReadSle4442Code);
    }
    if (type == card::kSle4428) {
        steps.zero_message += "!";
        VerifyCodeChange(view, steps, ReadSle4428Code);
    }
    RunPassSteps(view, steps);
}

// Commands 32820 to 32827.
void OnChangeAreaPass(CDemoView& view, int id) {
    BeginPassCommand(view);
    const int type = view.CardType();
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
