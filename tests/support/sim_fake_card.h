// SPDX-License-Identifier: MIT
// A card that records what reaches it, for tests of the reader itself.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/card.h"

namespace sim_test {

struct SeenCommand {
    std::uint8_t reader_code;
    std::uint8_t code;
    std::vector<std::uint8_t> data;
};

class FakeCard : public sim::Card {
  public:
    // Echoes 90 unless `reply` is set; data received become the saved state.
    sim::Reply Handle(const sim::Command& cmd) override {
        seen.push_back({cmd.reader_code, cmd.code, {cmd.data.begin(), cmd.data.end()}});
        if (!cmd.data.empty()) state.assign(cmd.data.begin(), cmd.data.end());
        return reply ? *reply : sim::Echo(cmd.code, {0x90});
    }
    void PowerDown() override { ++power_downs; }
    std::string Save() const override { return state; }
    bool Load(const std::string& text) override {
        state = text;
        return true;
    }

    std::vector<SeenCommand> seen;
    std::optional<sim::Reply> reply;
    int power_downs = 0;
    std::string state;
};

}  // namespace sim_test
