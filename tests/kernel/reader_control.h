// SPDX-License-Identifier: MIT
// The scenario's hold on the virtual reader: the uhid-reader program, started
// and commanded through its standard input (virtual_reader.h lists the
// commands).
#pragma once

#include <string>

#include "tests/kernel/child_process.h"

namespace kernel_test {

class ReaderControl {
  public:
    explicit ReaderControl(const std::string& program) : child_({program}) {}

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
