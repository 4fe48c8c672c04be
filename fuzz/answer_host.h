// SPDX-License-Identifier: MIT
// A reader that answers whatever the fuzz input says, in one of two ways:
//
// kFrames  each answer is built from a header byte, LEN and LEN data bytes
//          (zeros where the input ends) into a response frame with a correct
//          check byte, sent as LEN / 64 + 1 reports. Header bits:
//            0x03  0 echo the command's code, 1 a refusal (code 00),
//                  2 the code is the next input byte, 3 one raw report instead
//            0x04  check byte off by one bit
//            0x08  head 0x13 instead of 0x12
//            0x10  the platform delivers no report
//            0x20  the platform refuses the next report sent
// kReports each report the library fetches is the next 64 input bytes.
//
// A new command drops whatever was left of the previous answer. Once the
// input is used up every transfer is refused, so no exchange runs forever.
#pragma once

#include <cstdint>
#include <deque>

#include "fuzz/fuzz_input.h"
#include "vexa/link/hid_host.h"

namespace fuzz {

class AnswerHost : public vexa::HidHost {
  public:
    enum class Mode { kFrames, kReports };

    AnswerHost(FuzzInput& input, Mode mode) : input_(input), mode_(mode) {}

    vexa::Handle OpenReader() override { return 1; }
    bool SetFeature(vexa::Handle h, const std::uint8_t (&report)[vexa::kReportSize]) override;
    bool GetFeature(vexa::Handle h, std::uint8_t (&report)[vexa::kReportSize]) override;
    void Close(vexa::Handle) override {}
    void SleepMs(int) override {}

  private:
    struct Chunk {
        std::uint8_t bytes[vexa::kChunkSize] = {};
        bool delivered = true;
    };
    void QueueAnswer();
    void QueueFrame(std::uint8_t header);
    void QueueRaw();

    FuzzInput& input_;
    Mode mode_;
    std::deque<Chunk> pending_;
    std::uint8_t last_code_ = 0;
    bool refuse_next_set_ = false;
};

}  // namespace fuzz
