// SPDX-License-Identifier: MIT
// Where the editing caret goes: the cell under it as page, row, column and
// hex digit, and its moves by key and after a typed character, bounded by
// the card's last byte and its pages.
#pragma once

#include "demo/port/screen_layout.h"
#include "demo/port/ui_port.h"

namespace demo {

enum class Pane { kHex = 0, kChar = 1 };

struct CaretSpot {
    int page = 0;
    int row = 0;
    int column = 0;
    bool second_digit = false;  // hex pane only

    int Offset() const {
        return page * screen::kBytesPerPage + row * screen::kBytesPerRow + column;
    }
    friend constexpr bool operator==(const CaretSpot&, const CaretSpot&) = default;
};

struct CardExtent {
    int size = 0;
    int page_count = 0;
};

// The spot of a caret drawn at `at` on `page`, and back.
CaretSpot SpotAt(screen::Point at, Pane pane, int page);
screen::Point PointOf(const CaretSpot& spot, Pane pane);

// The caret after a key (Left, Right, Up, Down, Home or End); other keys
// leave it.
CaretSpot Moved(const CaretSpot& spot, Pane pane, Key key, const CardExtent& card);
// The caret after a character was typed at `spot`.
CaretSpot Advanced(const CaretSpot& spot, Pane pane, const CardExtent& card);
// The spot on the last byte of the card when `spot` lies beyond it.
CaretSpot WithinCard(const CaretSpot& spot, const CardExtent& card);

}  // namespace demo
