// SPDX-License-Identifier: MIT
// The library's operations through the public API, against the simulated
// reader with its 15 ms waits recorded instead of slept. Each benchmark shows
// the feature reports the operation moves ("reports"), the 15 ms waits it asks
// for ("waits") and the time those waits take on a real reader ("wire_ms");
// the time column is the library's own CPU cost, the simulated reader's
// included.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/card_factory.h"
#include "sim/host.h"
#include "vexa.h"
#include "vexa/link/hid_host.h"
#include "vexa/link/selection.h"

namespace {

constexpr double kWaitMs = 15.0;

// One reader with the named card ("none": an empty slot), opened as a program
// would, for the length of one benchmark.
class Bench {
  public:
    explicit Bench(std::string_view card) {
        auto& reader = host_.AddReader();
        if (auto inserted = sim::MakeCard(card)) reader.Insert(std::move(inserted));
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

using Call = std::function<std::int16_t()>;

// Runs `call` until timing settles; every run must give the status of the
// first, untimed one, which must be `expected` when one is given. The first
// run counts the reports and waits.
void Measure(benchmark::State& state, Bench& bench, const Call& call,
             std::optional<std::int16_t> expected = 0) {
    bench.Forget();
    const std::int16_t first = call();
    if (expected && first != *expected) {
        state.SkipWithError(("call failed: " + std::to_string(first)).c_str());
        return;
    }
    const auto reports = static_cast<double>(bench.Reports());
    const auto waits = static_cast<double>(bench.Waits());
    bench.Forget();
    for (auto _ : state) {
        const std::int16_t status = call();
        bench.Forget();
        if (status != first) {
            state.SkipWithError(("call failed: " + std::to_string(status)).c_str());
            return;
        }
    }
    state.counters["reports"] = reports;
    state.counters["waits"] = waits;
    state.counters["wire_ms"] = waits * kWaitMs;
    if (!expected) state.counters["result"] = first;
}

std::vector<unsigned char> Pattern(std::size_t n) {
    std::vector<unsigned char> bytes(n);
    for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<unsigned char>(i * 7 + 1);
    return bytes;
}

void BM_Status(benchmark::State& state) {
    Bench bench("sle4442");
    IC_InitType(bench.icdev(), vexa::kType4442);
    Measure(state, bench, [&] { return IC_Status(bench.icdev()); });
}

void BM_Read256Sle4442(benchmark::State& state) {
    Bench bench("sle4442");
    IC_InitType(bench.icdev(), vexa::kType4442);
    std::array<unsigned char, 256> data{};
    Measure(state, bench, [&] { return IC_Read(bench.icdev(), 0, data.size(), data.data()); });
}

void BM_VerifiedWrite2048On24C16(benchmark::State& state) {
    Bench bench("24c16");
    IC_InitType(bench.icdev(), vexa::kType24C);
    const auto data = Pattern(2048);
    Measure(state, bench, [&] { return IC_Write(bench.icdev(), 0, data.size(), data.data()); });
}

void BM_PageRead45DB041(benchmark::State& state) {
    Bench bench("45db041");
    IC_InitType(bench.icdev(), vexa::kType45DB);
    std::array<unsigned char, 264> page{};
    Measure(state, bench,
            [&] { return IC_DirectRead(bench.icdev(), 5, 0, page.size(), page.data()); });
}

// GET CHALLENGE of 8 bytes, after one reset that chose the protocol.
void Apdu(benchmark::State& state, std::string_view card) {
    Bench bench(card);
    IC_InitType(bench.icdev(), vexa::kTypeCpu);
    unsigned char len = 0;
    std::array<unsigned char, 256> buffer{};
    if (IC_CpuReset(bench.icdev(), &len, buffer.data()) != 0) {
        state.SkipWithError("reset failed");
        return;
    }
    const std::array<unsigned char, 5> challenge{0x00, 0x84, 0x00, 0x00, 0x08};
    Measure(state, bench, [&] {
        return IC_CpuApdu(bench.icdev(), challenge.size(), challenge.data(), &len, buffer.data());
    });
}
void BM_ApduT0(benchmark::State& state) { Apdu(state, "cpu-t0"); }
void BM_ApduT1(benchmark::State& state) { Apdu(state, "cpu-t1"); }

void BM_ReaderMemoryRead2048(benchmark::State& state) {
    Bench bench("none");
    std::vector<unsigned char> data(2048);
    Measure(state, bench,
            [&] { return IC_ReadDevice(bench.icdev(), 0, data.size(), data.data()); });
}

void BM_ReaderMemoryWrite2048(benchmark::State& state) {
    Bench bench("none");
    const auto data = Pattern(2048);
    Measure(state, bench,
            [&] { return IC_WriteDevice(bench.icdev(), 0, data.size(), data.data()); });
}

// Detection answers the family's code ("result"); it leaves the card as it
// found it, so every run takes the same path.
void CheckCard(benchmark::State& state, std::string_view card) {
    Bench bench(card);
    Measure(state, bench, [&] { return IC_CheckCard(bench.icdev()); }, std::nullopt);
}

const bool kCheckCardRegistered = [] {
    for (const std::string_view card : sim::CardNames()) {
        benchmark::RegisterBenchmark(("BM_CheckCard/" + std::string(card)).c_str(),
                                     [card](benchmark::State& state) { CheckCard(state, card); });
    }
    return true;
}();

}  // namespace

BENCHMARK(BM_Status);
BENCHMARK(BM_Read256Sle4442);
BENCHMARK(BM_VerifiedWrite2048On24C16);
BENCHMARK(BM_PageRead45DB041);
BENCHMARK(BM_ApduT0);
BENCHMARK(BM_ApduT1);
BENCHMARK(BM_ReaderMemoryRead2048);
BENCHMARK(BM_ReaderMemoryWrite2048);
