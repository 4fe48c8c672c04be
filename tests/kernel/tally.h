// SPDX-License-Identifier: MIT
// The scenario's verdicts, one console line each ("PASS step" or
// "FAIL step: detail"), and the closing "N passed, M failed" line that
// scripts/kernel-test.sh looks for.
#pragma once

#include <string>

namespace kernel_test {

class Tally {
  public:
    bool Check(const std::string& step, bool ok, const std::string& detail = {});
    // Passes when a call's result is the expected one.
    bool Expect(const std::string& step, long got, long expected);
    void Summary() const;
    int failed() const { return failed_; }

  private:
    int passed_ = 0;
    int failed_ = 0;
};

}  // namespace kernel_test
