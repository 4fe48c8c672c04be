// SPDX-License-Identifier: MIT
// Writes a seed corpus for every fuzz target from the simulated reader's
// good answers: each call of a target's groups, with each card type selected
// and a few argument sets, is run against the simulated card of that type;
// the runs that succeed are saved as inputs that replay the same answers,
// once as frames and once as raw reports.
//
//   record_seeds DIR   writes DIR/<target>/<call>-<n>
//
// scripts/fuzz.sh reads them from fuzz/corpus/; libFuzzer's -merge=1 keeps
// the few that make a difference.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "fuzz/answers_driver.h"
#include "sim/card_factory.h"
#include "vexa/link/library_state.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct Target {
    const char* name;
    unsigned groups;
};

constexpr Target kTargets[] = {
    {"device_answers", fuzz::kDevice},
    {"cpu_answers", fuzz::kCpu},
    {"memory_answers", fuzz::kMemory},
    {"detection_answers", fuzz::kDetection},
};

// a b c d: short pieces; a case 2 APDU; long ones spanning several reports.
constexpr fuzz::CallArgs kArgSets[] = {{0, 16, 16, 0}, {5, 8, 16, 1}, {0, 200, 200, 3}};

void PutWord(Bytes& out, std::int32_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

// The answers the reader gave, as raw reports and as frame descriptions
// (code given, LEN, data).
void AppendAnswers(const std::vector<sim::ReportRecord>& log, Bytes& raw, Bytes& frames) {
    for (const sim::ReportRecord& r : log) {
        if (r.direction != sim::Direction::kFromReader || !r.accepted) continue;
        raw.insert(raw.end(), r.bytes.begin() + 1, r.bytes.end());
    }
    for (std::size_t at = 0; at + 3 <= raw.size();) {
        const std::size_t len = raw[at + 2];
        const auto data = raw.begin() + static_cast<std::ptrdiff_t>(at + 3);
        frames.insert(frames.end(), {2, raw[at + 1], raw[at + 2]});
        frames.insert(frames.end(), data, data + static_cast<std::ptrdiff_t>(len));
        at += (len + 4) / vexa::kChunkSize * vexa::kChunkSize + vexa::kChunkSize;
    }
}

// Runs one call against the simulated card; the inputs replaying it, or
// nothing when the call failed.
std::vector<Bytes> Record(std::size_t index, const fuzz::Call& call, std::uint8_t setup,
                          const fuzz::CallArgs& args) {
    const fuzz::Setup& s = fuzz::Setups()[(setup >> 1) & 7];
    const bool t1 = setup & 0x10;
    sim::SimHost host;
    host.AddReader().Insert(sim::MakeCard(t1 ? "cpu-t1" : s.card));
    const std::int32_t icdev = fuzz::Prepare(host, setup);
    host.ClearLog();
    const std::int16_t st = call.run(icdev, args);
    Bytes raw, frames;
    AppendAnswers(host.log, raw, frames);
    vexa::ResetLibraryState();
    if (st < 0 || raw.empty()) return {};
    std::vector<Bytes> inputs;
    for (bool as_raw : {false, true}) {
        Bytes in{static_cast<std::uint8_t>(index), static_cast<std::uint8_t>(setup | as_raw)};
        PutWord(in, args.a);
        PutWord(in, args.b);
        PutWord(in, args.c);
        in.push_back(static_cast<std::uint8_t>(args.d));
        const Bytes& answers = as_raw ? raw : frames;
        in.insert(in.end(), answers.begin(), answers.end());
        inputs.push_back(in);
    }
    return inputs;
}

void Write(const fs::path& dir, const std::string& name, const std::vector<Bytes>& inputs) {
    int n = 0;
    for (const Bytes& in : inputs) {
        std::ofstream(dir / (name + "-" + std::to_string(n++)), std::ios::binary)
            .write(reinterpret_cast<const char*>(in.data()),
                   static_cast<std::streamsize>(in.size()));
    }
}

}  // namespace

// The api target: every call against each setup's card, with small lengths.
void WriteApiSeeds(const fs::path& dir) {
    fs::create_directories(dir);
    const auto calls = fuzz::CallsOf(fuzz::kDevice | fuzz::kCpu | fuzz::kMemory | fuzz::kDetection);
    const auto cards = sim::CardNames();
    constexpr std::uint8_t kEdgeZero = 0, kEdge32 = 10;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        std::vector<Bytes> inputs;
        for (std::uint8_t s = 0; s < fuzz::Setups().size(); ++s) {
            const auto card = std::find(cards.begin(), cards.end(), fuzz::Setups()[s].card);
            inputs.push_back(
                {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(card - cards.begin()),
                 static_cast<std::uint8_t>(4 | s << 3), kEdgeZero, kEdge32, kEdge32, kEdgeZero});
        }
        Write(dir, calls[i]->name, inputs);
    }
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: record_seeds DIR\n";
        return 2;
    }
    for (const Target& target : kTargets) {
        const fs::path dir = fs::path(argv[1]) / target.name;
        fs::create_directories(dir);
        const auto calls = fuzz::CallsOf(target.groups);
        for (std::size_t i = 0; i < calls.size(); ++i) {
            std::set<Bytes> unique;
            for (std::uint8_t setup = 0; setup < 0x20; setup += 2) {
                for (const fuzz::CallArgs& args : kArgSets) {
                    for (Bytes& in : Record(i, *calls[i], setup, args)) unique.insert(in);
                }
            }
            Write(dir, calls[i]->name, {unique.begin(), unique.end()});
        }
    }
    WriteApiSeeds(fs::path(argv[1]) / "api");
    return 0;
}
