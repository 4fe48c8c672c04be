// SPDX-License-Identifier: MIT
// The scenario's hold on a virtual reader program (uhid-reader, usbip-reader),
// started and commanded through its standard input (virtual_reader.h and
// usbip_server.h list the commands).
#pragma once

#include <string>
#include <vector>

#include "tests/kernel/child_process.h"

namespace kernel_test {

class ReaderControl {
  public:
    explicit ReaderControl(const std::vector<std::string>& argv) : child_(argv) {}

    bool started() const { return child_.started(); }
    // True when the command was carried out; a refusal is told on stderr.
    bool Do(const std::string& command);
    // Report requests the reader has answered so far; -1 when it cannot tell.
    long Reports();
    // The reader's "gaps" answer without its "ok", or empty.
    std::string Gaps();

  private:
    std::string Ask(const std::string& command);

    ChildProcess child_;
};

}  // namespace kernel_test
