// CPU cost of the library's exchanges through the public API, against the
// simulated reader with its 15 ms waits recorded instead of slept. The
// "per_exchange" counter is CPU time divided by the command/response
// exchanges a call makes; it includes the simulated reader's own work.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "sim/card_sle4442.h"
#include "sim/host.h"
#include "vexa.h"
#include "vexa/link/selection.h"
#include "vexa/link/hid_host.h"

namespace {

// One reader with an SLE4442 card, opened as a program would, for the length
// of one benchmark.
class Bench {
  public:
    Bench() {
        host_.AddReader().Insert(std::make_unique<sim::Sle4442Card>());
        vexa::InstallHidHost(&host_);
        icdev_ = IC_InitComm(100);
    }
    ~Bench() {
        IC_ExitComm(icdev_);
        vexa::InstallHidHost(nullptr);
    }
    Bench(const Bench&) = delete;
    Bench& operator=(const Bench&) = delete;

    std::int32_t icdev() const { return icdev_; }
    std::size_t Reports() const { return host_.log.size(); }
    std::size_t Waits() const { return host_.waits.size(); }
    // The host records every report; keep that record from growing.
    void Forget() { host_.ClearLog(); }

  private:
    sim::SimHost host_;
    std::int32_t icdev_ = 0;
};

// Runs `call` until timing settles; it must return 0 and make `exchanges`
// exchanges. A first, untimed call counts the reports and requested waits.
template <typename Call>
void Measure(benchmark::State& state, Bench& bench, int exchanges, Call call) {
    bench.Forget();
    if (call() != 0) {
        state.SkipWithError("call failed");
        return;
    }
    const auto reports = static_cast<double>(bench.Reports());
    const auto waits = static_cast<double>(bench.Waits());
    bench.Forget();
    for (auto _ : state) {
        const std::int16_t status = call();
        bench.Forget();
        if (status != 0) {
            state.SkipWithError("call failed");
            return;
        }
    }
    state.counters["per_exchange"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * exchanges,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["reports"] = reports;
    state.counters["waits"] = waits;
}

void BM_InitType4442(benchmark::State& state) {
    Bench bench;
    Measure(state, bench, 1, [&] { return IC_InitType(bench.icdev(), vexa::kType4442); });
}

// Re-selects the family, then asks for the status: two exchanges.
void BM_Status4442(benchmark::State& state) {
    Bench bench;
    IC_InitType(bench.icdev(), vexa::kType4442);
    Measure(state, bench, 2, [&] { return IC_Status(bench.icdev()); });
}

// One 128-byte piece, answered in three reports.
void BM_Read128Sle4442(benchmark::State& state) {
    Bench bench;
    IC_InitType(bench.icdev(), vexa::kType4442);
    unsigned char data[128];
    Measure(state, bench, 1, [&] { return IC_Read(bench.icdev(), 0, sizeof data, data); });
    benchmark::DoNotOptimize(data);
}

}  // namespace

BENCHMARK(BM_InitType4442);
BENCHMARK(BM_Status4442);
BENCHMARK(BM_Read128Sle4442);
