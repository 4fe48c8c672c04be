// SPDX-License-Identifier: MIT
// Keys that run commands without a menu item of their own.
#pragma once

#include <span>

namespace demo {

struct Accelerator {
    const char* keys;  // as a key sequence text, e.g. "Ctrl+1"
    int command;
};

std::span<const Accelerator> Accelerators();

}  // namespace demo
