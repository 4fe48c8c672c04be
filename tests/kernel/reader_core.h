// SPDX-License-Identifier: MIT
// What every virtual reader of the kernel test has, however it reaches the
// kernel: the simulated firmware with its card, the commands that change
// them, and the bookkeeping of the report requests it answers.
//
//   insert NAME     put a fresh card of that simulated name in the slot
//   remove          empty the slot
//   unplug-at N     the Nth report request from now is not answered: the
//                   device is pulled instead, in the middle of that transfer
//   unplug-after C  the device is pulled at the first report request after a
//                   command frame of code C (hexadecimal) reached the
//                   firmware: in the middle of that command, whatever other
//                   traffic came before it
//   reports         how many report requests were answered so far
//   gaps            the time from each answer to the next request, in
//                   microseconds, in the order they happened
//
// Each command is answered "ok", "ok <number>" or "error <why>".
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "sim/reader.h"

namespace kernel_test {

class ReaderCore {
  public:
    using Clock = std::chrono::steady_clock;

    // The answer to one of the commands above, whose arguments `args` holds;
    // nothing for any other command.
    std::optional<std::string> Control(const std::string& command, std::istringstream& args);
    // A report request arrived, carrying `chunk` (the 64 bytes after the
    // report number) when it sets a report; false when the device is to be
    // pulled at it.
    bool Arrive(std::span<const std::uint8_t> chunk = {});
    // The answer to the latest request left at `at`.
    void Answered(Clock::time_point at);
    // Plugged in again: the firmware starts afresh, the card stays.
    void Replug() { firmware_.Replug(); }
    sim::SimReader& firmware() { return firmware_; }

  private:
    std::string Insert(const std::string& name);
    std::string Gaps() const;

    sim::SimReader firmware_;
    std::optional<long> unplug_in_;          // requests left until the unplug
    std::optional<std::uint8_t> unplug_on_;  // the command code that arms it
    bool armed_ = false;                     // pulled at the next request
    long answered_ = 0;
    // When the last answer left, and the pause before each request after it:
    // the library's wait plus the kernel's and our own overhead.
    std::optional<Clock::time_point> last_answer_;
    std::vector<long> gaps_us_;
};

}  // namespace kernel_test
