// SPDX-License-Identifier: MIT
// A simulated machine that injects one reader fault at a chosen report: a
// refused send, a refused fetch, a bad head, a bad check byte, an answer word
// instead of the command's answer, the card pulled out.
#pragma once

#include <limits>
#include <vector>

#include "tests/support/sim_fixture.h"

namespace sweep {

enum class Fault { kRefusedSend, kRefusedFetch, kBadHead, kBadCheck, kAnswerWord, kCardPulled };
constexpr Fault kFaults[] = {Fault::kRefusedSend, Fault::kRefusedFetch, Fault::kBadHead,
                             Fault::kBadCheck,    Fault::kAnswerWord,   Fault::kCardPulled};
constexpr std::uint16_t kInjectedWord = 0x6F01;
constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();

inline const char* NameOf(Fault f) {
    constexpr const char* kNames[] = {"refused send", "refused fetch", "bad head",
                                      "bad check",    "answer word",   "card pulled"};
    return kNames[static_cast<int>(f)];
}

// The status the library owes for a fault that reached it.
inline std::int16_t TransportStatus(Fault f) {
    switch (f) {
        case Fault::kRefusedSend:
            return VEXA_ERR_SEND;
        case Fault::kRefusedFetch:
            return VEXA_ERR_RECEIVE;
        case Fault::kBadHead:
            return VEXA_ERR_LENGTH;
        case Fault::kBadCheck:
            return VEXA_ERR_CHECKSUM;
        default:
            return static_cast<std::int16_t>(kInjectedWord);
    }
}

inline bool IsTransportFault(Fault f) {
    return f != Fault::kAnswerWord && f != Fault::kCardPulled;
}

inline bool Pending(const sim::Faults& f) {
    return f.refuse_next_set || f.refuse_next_get || f.wrong_head || f.wrong_check ||
           f.answer_word.has_value();
}

// A simulated machine that hands one fault to the reader just before the
// report numbered `fault_at` (counted from the last ClearLog) crosses.
class SweepHost : public sim::SimHost {
  public:
    std::size_t fault_at = kNever;
    Fault fault = Fault::kRefusedSend;
    sim::Frame spoilt_frame;  // the command whose answer the fault replaced

    bool SetFeature(vexa::Handle h, const std::uint8_t (&report)[vexa::kReportSize]) override {
        Inject();
        sent_since_fault_ |= log.size() >= fault_at;
        const bool armed = FaultPending();
        // An answer the library did not fetch before sending on is gone.
        faulty_answer_waiting_ = false;
        const bool accepted = SimHost::SetFeature(h, report);
        faulty_answer_waiting_ = armed && !FaultPending();
        if (faulty_answer_waiting_) {
            const auto frames = sim::SentFrames(log);
            if (!frames.empty()) spoilt_frame = frames.back();
        }
        return accepted;
    }
    bool GetFeature(vexa::Handle h, std::uint8_t (&report)[vexa::kReportSize]) override {
        Inject();
        faulty_answer_fetched_ |= faulty_answer_waiting_;
        return SimHost::GetFeature(h, report);
    }
    // Whether the fault reached the library: a refused transfer once it was
    // refused, a spoilt answer once fetched (the reader drops an answer not
    // fetched before the next command), a pulled card once a command was sent
    // without it.
    bool FaultTaken() {
        switch (fault) {
            case Fault::kRefusedSend:
            case Fault::kRefusedFetch:
                return fault_at < log.size() && !FaultPending();
            case Fault::kCardPulled:
                return sent_since_fault_;
            default:
                return faulty_answer_fetched_;
        }
    }

  private:
    bool FaultPending() { return Pending(faults) || Pending(reader(0).faults); }

    bool sent_since_fault_ = false;
    bool faulty_answer_waiting_ = false;
    bool faulty_answer_fetched_ = false;

    void Inject() {
        if (log.size() != fault_at) return;
        switch (fault) {
            case Fault::kRefusedSend:
                faults.refuse_next_set = true;
                break;
            case Fault::kRefusedFetch:
                faults.refuse_next_get = true;
                break;
            case Fault::kBadHead:
                faults.wrong_head = true;
                break;
            case Fault::kBadCheck:
                faults.wrong_check = true;
                break;
            case Fault::kAnswerWord:
                faults.answer_word = kInjectedWord;
                break;
            case Fault::kCardPulled:
                reader(0).PullCardAfter(0);
                break;
        }
    }
};

}  // namespace sweep
