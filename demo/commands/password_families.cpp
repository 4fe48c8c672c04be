// SPDX-License-Identifier: MIT
#include "demo/commands/password_families.h"

#include "demo/port/library_imports.h"
#include "demo/view/card_types.h"
#include "demo/view/demo_view.h"

namespace demo {

namespace {

constexpr PassFamily kSle4442 = {
    [](std::int32_t icdev, int) -> int { return Lib().IC_ReadCount_SLE4442(icdev); },
    [](std::int32_t icdev, int, const std::uint8_t* p) -> int {
        return Lib().IC_CheckPass_SLE4442(icdev, p);
    },
    [](std::int32_t icdev, int, const std::uint8_t* p) -> int {
        return Lib().IC_ChangePass_SLE4442(icdev, p);
    },
};

constexpr PassFamily kSle4428 = {
    [](std::int32_t icdev, int) -> int { return Lib().IC_ReadCount_SLE4428(icdev); },
    [](std::int32_t icdev, int, const std::uint8_t* p) -> int {
        return Lib().IC_CheckPass_SLE4428(icdev, p);
    },
    [](std::int32_t icdev, int, const std::uint8_t* p) -> int {
        return Lib().IC_ChangePass_SLE4428(icdev, p);
    },
};

constexpr PassFamily kAt88sc102 = {
    [](std::int32_t icdev, int) -> int { return Lib().IC_ReadCount_102(icdev); },
    [](std::int32_t icdev, int, const std::uint8_t* p) -> int {
        return Lib().IC_CheckPass_102(icdev, p);
    },
    [](std::int32_t icdev, int, const std::uint8_t* p) -> int {
        return Lib().IC_ChangePass_102(icdev, p);
    },
};

constexpr PassFamily kAt88sc1604A = {
    [](std::int32_t icdev, int index) -> int { return Lib().IC_ReadCount_1604(icdev, index); },
    [](std::int32_t icdev, int index, const std::uint8_t* p) -> int {
        return Lib().IC_CheckPass_1604(icdev, index, p);
    },
    [](std::int32_t icdev, int index, const std::uint8_t* p) -> int {
        return Lib().IC_ChangePass_1604(icdev, index, p);
    },
};

constexpr PassFamily kAt88sc1604B = {
    [](std::int32_t icdev, int index) -> int { return Lib().IC_ReadCount_1604B(icdev, index); },
    [](std::int32_t icdev, int index, const std::uint8_t* p) -> int {
        return Lib().IC_CheckPass_1604B(icdev, index, p);
    },
    [](std::int32_t icdev, int index, const std::uint8_t* p) -> int {
        return Lib().IC_ChangePass_1604B(icdev, index, p);
    },
};

}  // namespace

const PassFamily* PassFamilyOf(int card_type) {
    switch (card_type) {
        case card::kSle4442:
            return &kSle4442;
        case card::kSle4428:
            return &kSle4428;
        case card::kAt88sc102:
            return &kAt88sc102;
        case card::kAt88sc1604A:
            return &kAt88sc1604A;
        case card::kAt88sc1604B:
            return &kAt88sc1604B;
        default:
            return nullptr;
    }
}

bool IsAt88sc1604(int card_type) {
    return card_type == card::kAt88sc1604A || card_type == card::kAt88sc1604B;
}

std::function<int()> AttemptsOf(CDemoView& view, const PassFamily& family, int index) {
    return [&view, &family, index] {
        return CodeAttemptsOrFailure(view.CardType(), family.count(view.Device(), index));
    };
}

PassSteps FamilySteps(CDemoView& view, const PassFamily& family, int index, PassAction action) {
    const bool check = action == PassAction::kCheck;
    PassSteps steps;
    steps.attempts = AttemptsOf(view, family, index);
    steps.zero_message = "Card Password Count Equal To Zero";
    steps.digits = 4;
    steps.length_message = "Password Lengh Must Be Four!";
    const auto call = check ? family.check : family.change;
    steps.present = [&view, call, index](const std::uint8_t* password) {
        return call(view.Device(), index, password);
    };
    steps.failure_message = check ? "Password Error!" : "Change Password Error!";
    steps.beeps_before_failure = check;
    return steps;
}

}  // namespace demo
