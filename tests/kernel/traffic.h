// SPDX-License-Identifier: MIT
// What a stretch of the scenario cost on the wire: the report requests the
// reader answered and the wall time, with the share the library's 15 ms wait
// after every report accounts for.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "tests/kernel/reader_control.h"

namespace kernel_test {

struct Traffic {
    long reports = 0;
    double seconds = 0;
};

// Runs `work` and measures it.
Traffic Measure(ReaderControl& reader, const std::function<void()>& work);

// "figure <what>: N reports in T s, X ms per report, the 15 ms waits Y %"
void PrintFigure(const std::string& what, const Traffic& traffic);

// The pauses the reader saw from answering a report to the next request: the
// library's wait after every report plus overhead, never less than the wait.
void PrintPauses(ReaderControl& reader);

}  // namespace kernel_test
