// SPDX-License-Identifier: MIT
// Watches the program's library calls: records each call's name in order and
// lets a test replace a call's result.
#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "demo/port/library_imports.h"

namespace demo_test {

class LibraryLog {
  public:
    LibraryLog();
    ~LibraryLog();
    LibraryLog(const LibraryLog&) = delete;
    LibraryLog& operator=(const LibraryLog&) = delete;

    int Count(const std::string& name) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), name));
    }
    // Calls of `name` after the first `after` answer `status` without
    // reaching the library.
    void Fail(const std::string& name, int status, int after = 0) {
        failures[name] = {status, Count(name) + after};
    }
    struct Failure {
        int status;
        int from_call;  // index among the calls of that name
    };
    // The answer for the call just logged, if the test made it fail.
    const Failure* FailureOf(const std::string& name) const {
        auto it = failures.find(name);
        return it != failures.end() && Count(name) > it->second.from_call ? &it->second : nullptr;
    }

    std::vector<std::string> calls;
    std::map<std::string, Failure> failures;
    demo::LibraryImports saved;

    static LibraryLog* active;
};

}  // namespace demo_test
