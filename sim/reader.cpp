// SPDX-License-Identifier: MIT
#include "sim/reader.h"

#include <algorithm>

namespace sim {

namespace {

constexpr std::uint8_t kVersion = 0xA1;
constexpr std::uint8_t kStatus = 0xA2;
constexpr std::uint8_t kSelect = 0xA5;
constexpr std::uint8_t kPowerDown = 0xA6;
constexpr std::uint8_t kPowerDownSam = 0xAA;
constexpr std::uint8_t kReaderMemoryCode = 0x10;
constexpr std::uint8_t kMemoryRead = 0xB0;
constexpr std::uint8_t kMemoryWrite = 0xB1;
constexpr std::uint8_t kOkByte = 0x90;
constexpr std::uint8_t kNoCardByte = 0x60;
constexpr std::uint8_t kWrongHead = 0x13;
constexpr std::size_t kMaxData = 255;

std::uint8_t XorOf(std::span<const std::uint8_t> bytes) {
    std::uint8_t x = 0;
    for (std::uint8_t b : bytes) x ^= b;
    return x;
}

}  // namespace

std::vector<std::uint8_t> ResponseFrame(const Reply& reply) {
    if (reply.data.size() > kMaxData) return ResponseFrame(Refuse(kWordAnswerTooLong));
    std::vector<std::uint8_t> frame{kResponseHead, reply.code,
                                    static_cast<std::uint8_t>(reply.data.size())};
    frame.insert(frame.end(), reply.data.begin(), reply.data.end());
    frame.push_back(XorOf(frame));
    return frame;
}

bool SimReader::TakeReport(std::span<const std::uint8_t, kReport> report) {
    if (std::exchange(faults.refuse_next_set, false)) return false;
    if (report[0] != 0) return false;  // the reader defines report 0 only
    // A new command discards an answer that was never fetched, as after the
    // select the library sends without reading its answer.
    if (assembler_.Idle()) pending_.clear();
    auto frame = assembler_.Feed(report.subspan<1, kChunk>());
    if (frame) Answer(*frame);
    return true;
}

bool SimReader::GiveReport(std::span<std::uint8_t, kReport> report) {
    if (std::exchange(faults.refuse_next_get, false)) return false;
    // Nothing to fetch reads as an all-zero report.
    std::fill(report.begin(), report.end(), 0);
    if (served_ < pending_.size()) {
        const std::size_t n = std::min(kChunk, pending_.size() - served_);
        std::copy_n(pending_.begin() + static_cast<std::ptrdiff_t>(served_), n, report.begin() + 1);
        served_ += kChunk;
    }
    return true;
}

void SimReader::Insert(std::unique_ptr<Card> card) {
    card_ = std::move(card);
}

std::unique_ptr<Card> SimReader::Remove() {
    if (card_) card_->PowerDown();
    return std::move(card_);
}

void SimReader::Replug() {
    assembler_ = FrameAssembler{};
    pending_.clear();
    served_ = 0;
    reader_code_ = 0;
    protocol_ = 0;
    parameter_ = 0;
    faults = Faults{};
    pull_after_.reset();
    if (card_) card_->PowerDown();
}

void SimReader::PullCardAfter(int commands) {
    pull_after_ = commands;
    if (commands <= 0) {
        pull_after_.reset();
        pulled_ = Remove();
    }
}

void SimReader::Answer(const std::vector<std::uint8_t>& frame) {
    if (faults.scripted_response) {
        Serve(*std::exchange(faults.scripted_response, std::nullopt));
    } else {
        const auto word = std::exchange(faults.answer_word, std::nullopt);
        std::vector<std::uint8_t> bytes = ResponseFrame(word ? Refuse(*word) : Execute(frame));
        // A frame of N bytes is served as N / 64 + 1 reports.
        bytes.resize((bytes.size() / kChunk + 1) * kChunk);
        if (std::exchange(faults.wrong_head, false)) bytes[0] = kWrongHead;
        if (std::exchange(faults.wrong_check, false)) bytes[bytes[2] + 3u] ^= 0x01;
        Serve(std::move(bytes));
    }
    CountCommand();
}

void SimReader::Serve(std::vector<std::uint8_t> bytes) {
    pending_ = std::move(bytes);
    served_ = 0;
}

void SimReader::CountCommand() {
    if (pull_after_ && --*pull_after_ <= 0) PullCardAfter(0);
}

Reply SimReader::Execute(std::span<const std::uint8_t> frame) {
    if (frame[0] != kCommandHead) return Refuse(kWordCommandError);
    if (XorOf(frame) != 0) return Refuse(kWordCheckError);
    const Command cmd{reader_code_, frame[1], frame.subspan(3, frame[2])};
    switch (cmd.code) {
        case kVersion:
            return Echo(kVersion, version_);
        case kStatus:
            return Echo(kStatus, {card_ ? kOkByte : kNoCardByte});
        case kSelect:
            return Select(cmd.data);
        case kPowerDown:
        case kPowerDownSam:
            if (card_) card_->PowerDown();
            return Echo(cmd.code, {kOkByte});
        default:
            return ToCard(cmd);
    }
}

Reply SimReader::Select(std::span<const std::uint8_t> data) {
    if (data.size() == 1) {
        reader_code_ = data[0];
    } else if (data.size() == 2) {
        protocol_ = data[0];
        parameter_ = data[1];
    } else {
        return Refuse(kWordCommandError);
    }
    return Echo(kSelect, {kOkByte});
}

// The reader's own memory answers only while the slot is empty: with a card
// inserted, 0xB0/0xB1 under code 0x10 address the card.
Reply SimReader::ToCard(const Command& cmd) {
    if (!card_) {
        const bool memory = cmd.reader_code == kReaderMemoryCode &&
                            (cmd.code == kMemoryRead || cmd.code == kMemoryWrite);
        return memory ? memory_.Handle(cmd) : Refuse(kWordCannotRead);
    }
    Reply reply = card_->Handle(cmd);
    if (after_card_command) after_card_command(*card_);
    return reply;
}

}  // namespace sim
