// SPDX-License-Identifier: MIT
// Faults a test can make the simulated reader (or the platform under it)
// commit once. Each flag is consumed by the report or command it affects.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace sim {

struct Faults {
    bool refuse_next_set = false;  // the platform rejects the next report sent
    bool refuse_next_get = false;  // the platform delivers no report on the next get
    bool wrong_head = false;       // next response starts with 0x13 instead of 0x12
    bool wrong_check = false;      // next response's check byte has its low bit flipped
    // The next command is not carried out; the reader refuses it with this word.
    std::optional<std::uint16_t> answer_word;
    // The next command is not carried out; these raw bytes are served instead,
    // 64 per report, as many reports as they fill.
    std::optional<std::vector<std::uint8_t>> scripted_response;

    // Moves every pending fault of `other` over to this set.
    void TakeFrom(Faults& other) {
        refuse_next_set |= std::exchange(other.refuse_next_set, false);
        refuse_next_get |= std::exchange(other.refuse_next_get, false);
        wrong_head |= std::exchange(other.wrong_head, false);
        wrong_check |= std::exchange(other.wrong_check, false);
        if (other.answer_word) answer_word = std::exchange(other.answer_word, std::nullopt);
        if (other.scripted_response) {
            scripted_response = std::exchange(other.scripted_response, std::nullopt);
        }
    }
};

}  // namespace sim
