// SPDX-License-Identifier: MIT
#include "tests/kernel/traffic.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <sstream>
#include <vector>

namespace kernel_test {

namespace {
constexpr double kWaitPerReport = 0.015;  // the library's pause after each report
constexpr long kWaitUs = 15000;
}  // namespace

Traffic Measure(ReaderControl& reader, const std::function<void()>& work) {
    const long before = reader.Reports();
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return {reader.Reports() - before, took.count()};
}

void PrintFigure(const std::string& what, const Traffic& traffic) {
    if (traffic.reports <= 0) {
        std::printf("figure %s: no reports in %.3f s\n", what.c_str(), traffic.seconds);
        return;
    }
    const double waits = static_cast<double>(traffic.reports) * kWaitPerReport;
    std::printf("figure %s: %ld reports in %.3f s, %.2f ms per report, the 15 ms waits %.0f %%\n",
                what.c_str(), traffic.reports, traffic.seconds,
                1000 * traffic.seconds / static_cast<double>(traffic.reports),
                100 * waits / traffic.seconds);
    std::fflush(stdout);
}

void PrintPauses(ReaderControl& reader) {
    std::istringstream in(reader.Gaps());
    std::vector<long> us{std::istream_iterator<long>(in), std::istream_iterator<long>()};
    if (us.empty()) {
        std::printf("figure pauses: the reader could not tell\n");
        return;
    }
    std::sort(us.begin(), us.end());
    const auto at = [&](std::size_t percent) { return us[us.size() * percent / 100] / 1000.0; };
    const auto shorter = std::lower_bound(us.begin(), us.end(), kWaitUs) - us.begin();
    std::printf(
        "figure pause from a report's answer to the next request over %zu pauses: "
        "least %.2f ms, 5th percentile %.2f ms, median %.2f ms, %td under 15 ms\n",
        us.size(), us.front() / 1000.0, at(5), at(50), shorter);
    std::fflush(stdout);
}

}  // namespace kernel_test
