// SPDX-License-Identifier: MIT
#include "tests/kernel/reader_control.h"

#include <cstdio>
#include <cstdlib>

namespace kernel_test {

namespace {
const std::string kOk = "ok";
}

std::string ReaderControl::Ask(const std::string& command) {
    if (!child_.WriteLine(command)) return "error the reader program is gone";
    return child_.ReadLine().value_or("error the reader program ended");
}

bool ReaderControl::Do(const std::string& command) {
    const std::string answer = Ask(command);
    if (answer.rfind(kOk, 0) == 0) return true;
    std::fprintf(stderr, "scenario: reader command \"%s\": %s\n", command.c_str(), answer.c_str());
    return false;
}

std::string ReaderControl::Gaps() {
    const std::string answer = Ask("gaps");
    return answer.rfind(kOk + " ", 0) == 0 ? answer.substr(kOk.size() + 1) : "";
}

long ReaderControl::Reports() {
    const std::string answer = Ask("reports");
    if (answer.rfind(kOk + " ", 0) != 0) return -1;
    return std::strtol(answer.c_str() + kOk.size() + 1, nullptr, 10);
}

}  // namespace kernel_test
