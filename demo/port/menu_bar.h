// SPDX-License-Identifier: MIT
// A menu bar as data: what the program hands the window system to show, and
// what the resources describe for each card family.
#pragma once

#include <string>
#include <vector>

namespace demo {

struct MenuItem {
    std::string text;             // empty for a separator
    int command = 0;              // 0 for a pop-up or a separator
    std::vector<MenuItem> items;  // the pop-up's items

    friend bool operator==(const MenuItem&, const MenuItem&) = default;
    bool IsSeparator() const { return text.empty(); }
    bool IsPopup() const { return command == 0 && !text.empty(); }
};

using MenuBar = std::vector<MenuItem>;

}  // namespace demo
