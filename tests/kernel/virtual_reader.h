// SPDX-License-Identifier: MIT
// The reader the kernel test plugs in: the simulated firmware and cards behind
// a uhid device of the reader's identity, driven by one-line commands:
//
//   plug            create the device (the firmware restarts, the card stays)
//   unplug          remove it
//   decoy           also create another HID device, 04B4/A113, that answers
//                   nothing, ahead of the reader in enumeration
//   insert NAME     put a fresh card of that simulated name in the slot
//   remove          empty the slot
//   unplug-at N     the Nth report request from now is not answered: the
//                   device is removed instead, in the middle of that transfer
//   reports         how many report requests were answered so far
//   gaps            the time from each answer to the next request, in
//                   microseconds, in the order they happened
//
// Each command is answered "ok", "ok <number>" or "error <why>".
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/reader.h"
#include "tests/kernel/uhid_device.h"

namespace kernel_test {

class VirtualReader {
  public:
    VirtualReader();

    std::string Control(const std::string& line);
    // The descriptors whose events Serve handles.
    std::vector<int> Descriptors() const;
    // Handles the event waiting on fd, one of Descriptors().
    void Serve(int fd);

  private:
    std::string Plug();
    std::string Insert(const std::string& name);
    void ServeReader();
    std::string Gaps() const;

    std::unique_ptr<sim::SimReader> firmware_;
    std::unique_ptr<UhidDevice> device_;
    std::unique_ptr<UhidDevice> decoy_;
    std::optional<long> unplug_in_;  // requests left until the unplug
    long answered_ = 0;
    // When the last answer left, and the pause before each request after it:
    // the library's wait plus the kernel's and our own overhead.
    std::optional<std::chrono::steady_clock::time_point> last_answer_;
    std::vector<long> gaps_us_;
};

}  // namespace kernel_test
