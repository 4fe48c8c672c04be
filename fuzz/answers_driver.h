// SPDX-License-Identifier: MIT
// One run of a target that fuzzes the reader's answers. An input is
//
//   call     which call of the target's groups (modulo their number)
//   setup    bit 0: answers as raw reports rather than frames;
//            bits 1-3: the card type selected beforehand (kSetups);
//            bit 4: the T=1 protocol set beforehand
//   a b c    the call's integer slots, two bytes each, big-endian, signed
//   d        one byte
//   answers  what the reader says (answer_host.h)
//
// The selection is made through a well-behaved simulated reader, so that a
// single input reaches every family's code without first having to forge
// the reader's answer to it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "fuzz/calls.h"
#include "sim/host.h"

namespace fuzz {

struct Setup {
    std::uint8_t card_type;
    std::string_view card;  // the simulated card that answers this type well
};

// Indexed by bits 1-3 of the setup byte.
std::span<const Setup> Setups();

// The calls of `groups`, in the order the call byte counts them.
std::vector<const Call*> CallsOf(unsigned groups);

// Installs `host`, opens its first reader and selects the card type and
// protocol the setup byte names; returns the device number.
std::int32_t Prepare(sim::SimHost& host, std::uint8_t setup);

// Whether the setup byte asks for answers as raw reports.
bool RawReports(std::uint8_t setup);

// The length of the input's fixed part in front of the answers.
constexpr std::size_t kHeaderSize = 2 + 3 * 2 + 1;

int RunAnswers(unsigned groups, const std::uint8_t* data, std::size_t size);

}  // namespace fuzz
