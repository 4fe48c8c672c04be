// SPDX-License-Identifier: MIT
// A card's persistent state kept in a file between runs, as a real card keeps
// its memory, code, counter and protection when it leaves the reader.
#pragma once

#include <string>

#include "sim/card.h"

namespace sim {

class StateFile {
  public:
    explicit StateFile(std::string path) : path_(std::move(path)) {}

    enum class Restored { kNoFile, kLoaded, kRejected };
    // Loads the file into the card. A missing file leaves the card fresh; a
    // file the card does not accept (another chip, damaged) too.
    Restored Restore(Card& card);
    // Writes the card's state if it differs from what the file holds.
    // Returns false when the file could not be written.
    bool Keep(const Card& card);

  private:
    std::string path_;
    std::string written_;  // the file's content as far as we know
};

}  // namespace sim
