// SPDX-License-Identifier: MIT
// The memory layouts of the card families: named, coloured areas of card
// offsets, used to colour the dump and to name the byte under the caret.
#pragma once

#include <string>
#include <vector>

#include "demo/port/ui_port.h"

namespace demo {

struct CardArea {
    std::string name;  // at most 11 characters
    Rgb colour;
    int first;  // card offsets, both inclusive
    int last;
};

struct CardLayout {
    int card_type;
    std::vector<CardArea> areas;

    // The first area that holds `offset`, or nullptr.
    const CardArea* AreaOf(int offset) const;
};

class LayoutTable {
  public:
    LayoutTable();
    // The AT88SC1608 layout depends on the zone shown: one data area for the
    // user zones, the configuration areas for zone 8.
    void BuildAt88sc1608(int zone);
    // The layout of a card type, or nullptr when it has none.
    const CardLayout* Find(int card_type) const;
    std::size_t Count() const { return layouts_.size(); }

  private:
    std::vector<CardLayout> layouts_;
};

// Colour of a byte by its layout: white where no area holds it.
Rgb AreaColour(const CardLayout* layout, int offset);
// Name of the area that holds a byte: "Undef Area" where none does.
std::string AreaName(const CardLayout* layout, int offset);

}  // namespace demo
