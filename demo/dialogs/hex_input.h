// SPDX-License-Identifier: MIT
// The check the secure-memory dialogs make on hexadecimal input: only the
// capitals G to Z are refused, every other character passes.
#pragma once

#include <string_view>

namespace demo {

inline bool HasCapitalBeyondF(std::string_view text) {
    return text.find_first_of("GHIJKLMNOPQRSTUVWXYZ") != std::string_view::npos;
}

}  // namespace demo
