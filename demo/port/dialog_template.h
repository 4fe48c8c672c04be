// SPDX-License-Identifier: MIT
// A dialog's template as data: title, size in dialog units, font and
// controls. The resources describe each dialog this way; the window system
// builds its window from it and the dialog logic fills its fields.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace demo {

enum class ControlKind { kLabel, kEdit, kButton, kDefaultButton, kRadio, kIcon };

namespace style {
constexpr unsigned kUpperCase = 1;  // edit field turns typed letters into capitals
constexpr unsigned kHidden = 2;
}  // namespace style

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdStatic = -1;

// Positions and sizes in dialog units.
struct ControlTemplate {
    int id = kIdStatic;
    ControlKind kind = ControlKind::kLabel;
    std::string text;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    unsigned style = 0;
    // Characters an edit field takes at most; 0: no limit of its own.
    std::size_t max_length = 0;
};

struct DialogTemplate {
    int id = 0;
    std::string title;
    int width = 0;
    int height = 0;
    std::string font;
    int point_size = 0;
    std::vector<ControlTemplate> controls;
};

}  // namespace demo
