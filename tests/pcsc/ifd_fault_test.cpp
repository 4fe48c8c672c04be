// The driver with one reader fault at each report of a power-up or a
// pseudo-APDU in turn: a reader that failed on the way never shows as a card
// that answered, nor as another card.
#include <functional>

#include "fault_sweep_host.h"
#include "ifd_fixture.h"
#include "sim_fake_card.h"

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
    std::vector<const char*> first;  // APDUs sent after power-up, before the fault
    const char* apdu;                // nullptr: the power-up is swept
    Expect expect;
};

std::unique_ptr<sim::Card> Named(const char* name) {
    return sim::MakeCard(name);
}

// A card whose reset brings no answer bytes, and which answers nothing else.
std::unique_ptr<sim::Card> SilentCard() {
    auto card = std::make_unique<sim_test::FakeCard>();
    card->reply = sim::Echo(0xA3);
    return card;
}

const std::string kCommunicationError = "error " + std::to_string(IFD_COMMUNICATION_ERROR);
constexpr char k24CAtr[] = "3B 04 32 34 43";

struct Outcome {
    std::string answer;
    bool fault_taken = false;
    std::size_t reports = 0;
};

Outcome RunCase(const FaultCase& c, std::size_t at, Fault fault) {
    sweep::SweepHost host;
    host.AddReader().Insert(c.card());
    vexa::InstallHidHost(&host);
    EXPECT_EQ(IFDHCreateChannel(kLun, 0), IFD_SUCCESS);
    if (c.apdu != nullptr) {
        ifd_test::PowerUp(kLun);
        for (const char* apdu : c.first) ifd_test::Transmit(kLun, apdu);
    }
    host.ClearLog();
    host.fault_at = at;
    host.fault = fault;
    Outcome out;
    out.answer = c.apdu ? ifd_test::Transmit(kLun, c.apdu) : ifd_test::PowerUp(kLun);
    out.fault_taken = host.FaultTaken();
    out.reports = host.log.size();
    IFDHCloseChannel(kLun);
    sim_test::ResetLibrary();
    return out;
}

void Check(Expect expect, const std::string& good, const Outcome& run, Fault fault) {
    const bool failed = run.answer.starts_with("error");
    // With the slot emptied the reader answers 24Cxx reads from its own 2 KiB
    // memory, as a chip of that size or a larger one than the card was.
    const bool reader_memory = fault == Fault::kCardPulled && run.answer.starts_with(k24CAtr);
    switch (expect) {
        case Expect::kNoStatusWord:
            if (run.fault_taken && sweep::IsTransportFault(fault)) {
                EXPECT_TRUE(run.answer == good || run.answer == kCommunicationError) << run.answer;
            }
            break;
        case Expect::kNoSmallerCard:
            // The ATR ends in the size in kbit, written as its digits read.
            EXPECT_TRUE(run.answer == good || failed || (reader_memory && run.answer > good))
                << run.answer;
            break;
        case Expect::kNoCard:
            EXPECT_TRUE(failed || reader_memory) << run.answer;
            break;
    }
}

TEST(IfdFaultSweep, ReaderFaultsNeverPassForACardAnswer) {
    const FaultCase cases[] = {
        {"write",
         [] { return Named("sle4442"); },
         {"FF 20 00 00 03 FF FF FF"},
         "FF D0 00 40 02 11 22",
         Expect::kNoStatusWord},
        {"code",
         [] { return Named("sle4442"); },
         {},
         "FF 20 00 00 03 FF FF FF",
         Expect::kNoStatusWord},
        {"24Cxx read", [] { return Named("24c16"); }, {}, "FF B0 07 F0 10", Expect::kNoStatusWord},
        {"24C04 sizing", [] { return Named("24c04"); }, {}, nullptr, Expect::kNoSmallerCard},
        {"24C16 sizing", [] { return Named("24c16"); }, {}, nullptr, Expect::kNoSmallerCard},
        {"empty answer to reset", SilentCard, {}, nullptr, Expect::kNoCard},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome good = RunCase(c, sweep::kNever, Fault::kRefusedSend);
        Check(c.expect, good.answer, good, Fault::kRefusedSend);
        for (std::size_t at = 0; at < good.reports; ++at) {
            for (Fault fault : sweep::kFaults) {
                SCOPED_TRACE(testing::Message() << sweep::NameOf(fault) << " at report " << at);
                Check(c.expect, good.answer, RunCase(c, at, fault), fault);
            }
        }
    }
}

}  // namespace
