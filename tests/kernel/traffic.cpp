#include "traffic.h"

#include <cstdio>

namespace kernel_test {

namespace {
constexpr double kWaitPerReport = 0.015;  // the library's pause after each report
}

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

}  // namespace kernel_test
