// SPDX-License-Identifier: MIT
#include "fuzz/answers_driver.h"

#include <array>

#include "fuzz/answer_host.h"
#include "sim/host.h"
#include "vexa.h"
#include "vexa/link/library_state.h"

namespace fuzz {

namespace {

constexpr Setup kSetups[] = {
    {12, "cpu-t0"},  {16, "sle4442"}, {4, "sle4428"}, {64, "24c02"},
    {65, "45db041"}, {192, "24c64"},  {13, "sam"},    {64, "24c16"},
};

constexpr std::uint8_t kRawReports = 0x01;
constexpr std::uint8_t kT1 = 0x10;

}  // namespace

std::span<const Setup> Setups() {
    return kSetups;
}

std::vector<const Call*> CallsOf(unsigned groups) {
    std::vector<const Call*> calls;
    for (const Call& call : AllCalls()) {
        if (call.groups & groups) calls.push_back(&call);
    }
    return calls;
}

bool RawReports(std::uint8_t setup) {
    return setup & kRawReports;
}

std::int32_t Prepare(sim::SimHost& host, std::uint8_t setup) {
    const Setup& s = kSetups[(setup >> 1) & 7];
    vexa::InstallHidHost(&host);
    const std::int32_t icdev = IC_InitComm(100);
    IC_InitType(icdev, s.card_type);
    if (setup & kT1) IC_SetCpuPara(icdev, s.card_type, 1, 0);
    return icdev;
}

namespace {

// The library state each setup byte leaves, made once through the simulated
// reader and then restored for every run: building a simulated reader per
// run would cost more than the run itself.
struct Prepared {
    vexa::Selection selection;
    vexa::CpuState cpu;
};

const Prepared& PreparedFor(std::uint8_t setup) {
    static const auto table = [] {
        std::array<Prepared, 0x20> t{};
        for (std::uint8_t s = 0; s < t.size(); ++s) {
            sim::SimHost host;
            host.AddReader();
            Prepare(host, s);
            t[s] = {vexa::CurrentSelection(), vexa::CurrentCpuState()};
            vexa::ResetLibraryState();
        }
        return t;
    }();
    return table[setup & 0x1E];
}

}  // namespace

int RunAnswers(unsigned groups, const std::uint8_t* data, std::size_t size) {
    static const std::vector<const Call*> calls = CallsOf(groups);
    FuzzInput input(data, size);
    const Call& call = *calls[input.Byte() % calls.size()];
    const std::uint8_t setup = input.Byte();
    CallArgs args;
    args.a = static_cast<std::int16_t>(input.Word());
    args.b = static_cast<std::int16_t>(input.Word());
    args.c = static_cast<std::int16_t>(input.Word());
    args.d = input.Byte();

    const Prepared& prepared = PreparedFor(setup);
    AnswerHost host(input,
                    RawReports(setup) ? AnswerHost::Mode::kReports : AnswerHost::Mode::kFrames);
    vexa::InstallHidHost(&host);
    const std::int32_t icdev = IC_InitComm(100);
    vexa::CurrentSelection() = prepared.selection;
    vexa::CurrentCpuState() = prepared.cpu;
    call.run(icdev, args);
    ReadLastError();
    vexa::ResetLibraryState();
    return 0;
}

}  // namespace fuzz
