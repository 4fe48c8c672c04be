// SPDX-License-Identifier: MIT
#include "sim/state_file.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace sim {

StateFile::Restored StateFile::Restore(Card& card) {
    std::ifstream in(path_, std::ios::binary);
    if (!in) return Restored::kNoFile;
    std::ostringstream text;
    text << in.rdbuf();
    written_ = text.str();
    return card.Load(written_) ? Restored::kLoaded : Restored::kRejected;
}

// The new state goes to a temporary file that then replaces the old one, so
// a run killed halfway never leaves a truncated state behind. (std::rename
// refuses to replace an existing file on Windows; filesystem::rename does.)
bool StateFile::Keep(const Card& card) {
    std::string state = card.Save();
    if (state.empty() || state == written_) return true;
    const std::string temporary = path_ + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!(out << state) || !out.flush()) return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path_, error);
    if (error) return false;
    written_ = std::move(state);
    return true;
}

}  // namespace sim
