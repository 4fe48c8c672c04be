// SPDX-License-Identifier: MIT
// The driver with one reader fault at each report of a power-up or a
// pseudo-APDU in turn: a reader that failed on the way never shows as a card
// that answered, nor as another card.
#include <functional>

#include "tests/pcsc/ifd_fixture.h"
#include "tests/support/fault_sweep_host.h"
#include "tests/support/sim_fake_card.h"

namespace {

using ifd_test::kLun;
using sweep::Fault;

enum class Expect {
    kNoStatusWord,   // a failure on the way is a communication error
    kNoSmallerCard,  // the size found is the card's, or none
    kNoCard,         // the card never gives an answer to reset
};

struct FaultCase {
    const char* name;
    std::function<std::unique_ptr<sim::Card>()> card;
    const char* first;  // sent after power-up, before the fault
    const char* apdu;   // nullptr: the power-up is swept
    Expect expect;
};

// The answer, whether the fault reached the driver, and the reports sent.
std::tuple<std::string, bool, std::size_t> RunCase(const FaultCase& c, std::size_t at, Fault f) {
    sweep::SweepHost host;
    host.AddReader().Insert(c.card());
    vexa::InstallHidHost(&host);
    EXPECT_EQ(IFDHCreateChannel(kLun, 0), IFD_SUCCESS);
    if (c.apdu != nullptr) ifd_test::PowerUp(kLun);
    if (c.first != nullptr) ifd_test::Transmit(kLun, c.first);
    host.ClearLog();
    host.fault_at = at;
    host.fault = f;
    const std::string answer = c.apdu ? ifd_test::Transmit(kLun, c.apdu) : ifd_test::PowerUp(kLun);
    const bool taken = host.FaultTaken();
    const std::size_t reports = host.log.size();
    IFDHCloseChannel(kLun);
    vexa::ResetLibraryState();
    return {answer, taken, reports};
}

bool Holds(Expect expect, const std::string& good, const std::string& run, bool taken, Fault f) {
    const bool failed = run.starts_with("error");
    // With the slot emptied the reader answers 24Cxx reads from its own 2 KiB
    // memory; the ATR ends in the size in kbit, written as its digits read.
    const bool reader_memory = f == Fault::kCardPulled && run.starts_with("3B 04 32 34 43");
    switch (expect) {
        case Expect::kNoStatusWord:
            return !taken || !sweep::IsTransportFault(f) || run == good ||
                   run == "error " + std::to_string(IFD_COMMUNICATION_ERROR);
        case Expect::kNoSmallerCard:
            return run == good || failed || (reader_memory && run > good);
        case Expect::kNoCard:
            return failed || reader_memory;
    }
    return false;
}

TEST(IfdFaultSweep, ReaderFaultsNeverPassForACardAnswer) {
    const auto named = [](const char* name) { return [name] { return sim::MakeCard(name); }; };
    // A card whose reset brings no answer bytes, and which answers nothing else.
    const auto silent = [] {
        auto card = std::make_unique<sim_test::FakeCard>();
        card->reply = sim::Echo(0xA3);
        return std::unique_ptr<sim::Card>(std::move(card));
    };
    const FaultCase cases[] = {
        {"write", named("sle4442"), "FF 20 00 00 03 FF FF FF", "FF D0 00 40 02 11 22",
         Expect::kNoStatusWord},
        {"code", named("sle4442"), nullptr, "FF 20 00 00 03 FF FF FF", Expect::kNoStatusWord},
        {"24Cxx read", named("24c16"), nullptr, "FF B0 07 F0 10", Expect::kNoStatusWord},
        {"24C04 sizing", named("24c04"), nullptr, nullptr, Expect::kNoSmallerCard},
        {"24C16 sizing", named("24c16"), nullptr, nullptr, Expect::kNoSmallerCard},
        {"empty answer to reset", silent, nullptr, nullptr, Expect::kNoCard},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto [good, taken, reports] = RunCase(c, sweep::kNever, Fault::kRefusedSend);
        EXPECT_TRUE(Holds(c.expect, good, good, false, Fault::kRefusedSend)) << good;
        for (std::size_t at = 0; at < reports; ++at) {
            for (Fault f : sweep::kFaults) {
                const auto [run, run_taken, run_reports] = RunCase(c, at, f);
                EXPECT_TRUE(Holds(c.expect, good, run, run_taken, f))
                    << sweep::NameOf(f) << " at report " << at << ": " << run;
            }
        }
    }
}

}  // namespace
