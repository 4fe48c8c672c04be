// SPDX-License-Identifier: MIT
// The simulated cards by the names users give them (VEXA_SIM_CARD).
#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "sim/card.h"

namespace sim {

// A fresh card of that name; nullptr for "none" and for names not known.
std::unique_ptr<Card> MakeCard(std::string_view name);

// Every name MakeCard knows, in a stable order.
std::span<const std::string_view> CardNames();

}  // namespace sim
