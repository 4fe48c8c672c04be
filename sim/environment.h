// SPDX-License-Identifier: MIT
// The simulated machine of the simulator build, as the environment describes
// it:
//   VEXA_SIM_CARD     the card in the slot: a name of card_factory.h or
//                     "none" (default "sle4442"); several names, comma-
//                     separated, attach a reader for each
//   VEXA_SIM_STATE    a file the (first reader's) card state is loaded from
//                     at start and written back to after every command that
//                     changed it
//   VEXA_SIM_READERS  "0": no reader attached (default: one)
//   VEXA_SIM_PACE     "1": really wait the 15 ms after each report
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "sim/host.h"

namespace sim {

struct Settings {
    std::string card = "sle4442";
    std::string state_path;  // empty: nothing survives the run
    bool reader_attached = true;
    bool pace = false;
};

// Reads the settings through `env` (std::getenv in the simulator build).
Settings ReadSettings(const std::function<const char*(const char*)>& env);

// Attaches the reader and inserts the card the settings name. An unknown card
// name leaves the slot empty, and a state file that cannot be used leaves the
// card fresh; either is told on `warn`, which must outlive the host (failing
// writes of the state file are told there later).
void BuildMachine(SimHost& host, const Settings& settings, std::ostream& warn);

}  // namespace sim
