// SPDX-License-Identifier: MIT
#include "demo/res/accelerators.h"

#include "demo/res/command_ids.h"

namespace demo {

namespace {
// The families the menus do not list, the module slots, eject, update and
// help.
constexpr Accelerator kAccelerators[] = {
    {"F1", cmd::kHelp},
    {"Ctrl+1", cmd::kAt88sc102},
    {"Ctrl+2", cmd::kAt88sc1604A},
    {"Ctrl+3", cmd::kAt88sc1604B},
    {"Ctrl+4", cmd::k45D041},
    {"Ctrl+5", cmd::kSsf1101},
    {"Ctrl+6", cmd::kAt88sc1608},
    {"Ctrl+7", cmd::kSam},
    {"Ctrl+8", cmd::kSam14},
    {"Ctrl+9", cmd::kSam15},
    {"Ctrl+E", cmd::kEject},
    {"Ctrl+U", cmd::kUpdate},
};
}  // namespace

std::span<const Accelerator> Accelerators() {
    return kAccelerators;
}

}  // namespace demo
