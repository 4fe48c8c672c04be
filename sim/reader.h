// SPDX-License-Identifier: MIT
// One simulated reader: the firmware behind the feature reports. It
// reassembles command frames, answers its own commands and hands the others to
// the card in the slot.
//
//   0xA1 version           echo with the version bytes (12 34 unless changed)
//   0xA2 status            echo 90 with a card in the slot, echo 60 without
//   0xA5 one byte          select the reader card code, echo 90
//   0xA5 two bytes         CPU protocol and its parameter, echo 90
//   0xA6 / 0xAA power down echo 90, with or without a card
//   anything else          the card's answer; an empty slot refuses 61D8,
//                          except 0xB0/0xB1 with code 0x10 selected, which
//                          reach the reader's own memory
//
// A frame whose head is not 0x21 is refused with 6109, one whose check byte
// is wrong with 61DA, an answer of more than 255 data bytes with 6106.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "sim/card.h"
#include "sim/faults.h"
#include "sim/frame_assembler.h"
#include "sim/reader_memory.h"

namespace sim {

constexpr std::size_t kReport = kChunk + 1;           // report identifier 0, then a chunk
constexpr std::uint16_t kWordCheckError = 0x61DA;     // XOR check of the frame wrong
constexpr std::uint16_t kWordAnswerTooLong = 0x6106;  // card data beyond one frame

class SimReader {
  public:
    // The firmware's side of a feature-report transfer; false = refused.
    bool TakeReport(std::span<const std::uint8_t, kReport> report);
    bool GiveReport(std::span<std::uint8_t, kReport> report);

    void Insert(std::unique_ptr<Card> card);
    // Pulls the card out (powering it down); returns it, or nullptr.
    std::unique_ptr<Card> Remove();
    Card* card() const { return card_.get(); }
    // The card is pulled once `commands` more command frames were answered
    // (0: at once). It is kept aside for inspection as pulled_card().
    void PullCardAfter(int commands);
    Card* pulled_card() const { return pulled_.get(); }
    std::unique_ptr<Card> TakePulledCard() { return std::move(pulled_); }

    // Unplugged and plugged in again: the firmware starts afresh (no frame
    // half received, no answer waiting, nothing selected, no fault pending);
    // the card and the reader's own memory keep their contents.
    void Replug();

    void SetVersion(std::vector<std::uint8_t> bytes) { version_ = std::move(bytes); }
    std::uint8_t reader_code() const { return reader_code_; }
    std::uint8_t protocol() const { return protocol_; }
    std::uint8_t parameter() const { return parameter_; }
    ReaderMemory& memory() { return memory_; }

    Faults faults;
    // Called after every command the inserted card handled (the simulator
    // build keeps the card's state file up to date with it).
    std::function<void(const Card&)> after_card_command;

  private:
    void Answer(const std::vector<std::uint8_t>& frame);
    Reply Execute(std::span<const std::uint8_t> frame);
    Reply ToCard(const Command& cmd);
    Reply Select(std::span<const std::uint8_t> data);
    void Serve(std::vector<std::uint8_t> bytes);
    void CountCommand();

    FrameAssembler assembler_;
    std::vector<std::uint8_t> pending_;  // response bytes not yet fetched
    std::size_t served_ = 0;
    std::unique_ptr<Card> card_;
    std::unique_ptr<Card> pulled_;
    std::optional<int> pull_after_;
    std::vector<std::uint8_t> version_{0x12, 0x34};
    std::uint8_t reader_code_ = 0;
    std::uint8_t protocol_ = 0;
    std::uint8_t parameter_ = 0;
    ReaderMemory memory_;
};

// The response frame 12 code LEN data check for a reply.
std::vector<std::uint8_t> ResponseFrame(const Reply& reply);

}  // namespace sim
