// SPDX-License-Identifier: MIT
#include "tests/kernel/reader_core.h"

#include <utility>

#include "sim/card_factory.h"

namespace kernel_test {

namespace {
const std::string kOk = "ok";
}

std::optional<std::string> ReaderCore::Control(const std::string& command,
                                               std::istringstream& args) {
    if (command == "insert") {
        std::string name;
        args >> name;
        return Insert(name);
    }
    if (command == "remove") {
        firmware_.Remove();
        return kOk;
    }
    if (command == "unplug-at") {
        long n = 0;
        if (!(args >> n) || n < 1) return "error unplug-at takes a count from 1";
        unplug_in_ = n;
        return kOk;
    }
    if (command == "unplug-after") {
        unsigned code = 0;
        if (!(args >> std::hex >> code) || code > 0xFF)
            return "error unplug-after takes a command code";
        unplug_on_ = static_cast<std::uint8_t>(code);
        return kOk;
    }
    if (command == "reports") return kOk + " " + std::to_string(answered_);
    if (command == "gaps") return Gaps();
    return std::nullopt;
}

bool ReaderCore::Arrive(std::span<const std::uint8_t> chunk) {
    if (last_answer_) {
        gaps_us_.push_back(static_cast<long>(
            std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - *last_answer_)
                .count()));
    }
    if (std::exchange(armed_, false) || (unplug_in_ && --*unplug_in_ == 0)) {
        unplug_in_.reset();
        return false;
    }
    // The first chunk of a command frame: head 0x21, then its code.
    if (unplug_on_ && chunk.size() >= 2 && chunk[0] == 0x21 && chunk[1] == *unplug_on_) {
        unplug_on_.reset();
        armed_ = true;
    }
    return true;
}

void ReaderCore::Answered(Clock::time_point at) {
    ++answered_;
    last_answer_ = at;
}

std::string ReaderCore::Insert(const std::string& name) {
    auto card = sim::MakeCard(name);
    if (!card) return "error no card named \"" + name + "\"";
    firmware_.Remove();
    firmware_.Insert(std::move(card));
    return kOk;
}

std::string ReaderCore::Gaps() const {
    std::string answer = kOk;
    for (long gap : gaps_us_) answer += " " + std::to_string(gap);
    return answer;
}

}  // namespace kernel_test
