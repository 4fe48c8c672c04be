// SPDX-License-Identifier: MIT
// The password entry points of the card families whose user password the
// program checks and changes, behind one shape: `index` selects one of the
// AT88SC1604's passwords and is ignored by the families that have one.
#pragma once

#include <cstdint>
#include <functional>

#include "demo/commands/password_steps.h"

namespace demo {

class CDemoView;

struct PassFamily {
    int (*count)(std::int32_t icdev, int index);
    int (*check)(std::int32_t icdev, int index, const std::uint8_t* password);
    int (*change)(std::int32_t icdev, int index, const std::uint8_t* password);
};

// SLE4442, SLE4428, AT88SC102 and both AT88SC1604 layouts; nullptr for any
// other card type.
const PassFamily* PassFamilyOf(int card_type);
bool IsAt88sc1604(int card_type);

enum class PassAction { kCheck, kChange };

// Password `index` of `family`: four digits, checked or changed once the
// counter of the same password shows attempts left.
PassSteps FamilySteps(CDemoView& view, const PassFamily& family, int index, PassAction action);
std::function<int()> AttemptsOf(CDemoView& view, const PassFamily& family, int index);

}  // namespace demo
