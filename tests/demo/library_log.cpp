// SPDX-License-Identifier: MIT
#include "tests/demo/library_log.h"

namespace demo_test {

LibraryLog* LibraryLog::active = nullptr;

// Each import is replaced by a function that logs its name and calls the
// library, unless the test made it fail.
#define DEMO_WATCH(fn)                                                                       \
    imports.fn = [](auto... args) {                                                          \
        LibraryLog& log = *LibraryLog::active;                                               \
        log.calls.push_back(#fn);                                                            \
        using Result = decltype(log.saved.fn(args...));                                      \
        if (auto* failure = log.FailureOf(#fn)) return static_cast<Result>(failure->status); \
        return log.saved.fn(args...);                                                        \
    };

LibraryLog::LibraryLog() {
    demo::LibraryImports& imports = demo::Lib();
    saved = imports;
    active = this;
    DEMO_LIBRARY_IMPORTS(DEMO_WATCH)
}

#undef DEMO_WATCH

LibraryLog::~LibraryLog() {
    demo::Lib() = saved;
    active = nullptr;
}

}  // namespace demo_test
