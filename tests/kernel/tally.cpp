// SPDX-License-Identifier: MIT
#include "tests/kernel/tally.h"

#include <cstdio>

namespace kernel_test {

bool Tally::Check(const std::string& step, bool ok, const std::string& detail) {
    if (ok) {
        ++passed_;
        std::printf("PASS %s\n", step.c_str());
    } else {
        ++failed_;
        std::printf("FAIL %s%s%s\n", step.c_str(), detail.empty() ? "" : ": ", detail.c_str());
    }
    std::fflush(stdout);
    return ok;
}

bool Tally::Expect(const std::string& step, long got, long expected) {
    return Check(step, got == expected,
                 "got " + std::to_string(got) + ", expected " + std::to_string(expected));
}

void Tally::Summary() const {
    std::printf("%d passed, %d failed\n", passed_, failed_);
    std::fflush(stdout);
}

}  // namespace kernel_test
