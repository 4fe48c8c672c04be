// SPDX-License-Identifier: MIT
// One command and its answer, and the common ways of reading an answer.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "vexa/link/transport.h"

namespace vexa {

struct Response {
    std::array<std::uint8_t, kResponseRoom> frame{};

    std::uint8_t Code() const { return frame[1]; }
    std::uint8_t Len() const { return frame[2]; }
    const std::uint8_t* Data() const { return frame.data() + 3; }
    std::span<const std::uint8_t> Payload() const { return {Data(), Len()}; }
    bool Echoes(std::uint8_t code) const { return Code() == code; }
    // The reader's refusal: bytes LEN + 1 and LEN + 2 as a big-endian word.
    std::int32_t AnswerWord() const;
};

// Builds the frame, sends it and reads the answer. Returns the transport
// status; more than 251 data bytes give -20 and nothing is sent.
std::int32_t Exchange(std::int32_t icdev, std::uint8_t code, std::span<const std::uint8_t> data,
                      Response& out, bool drop_extra_chunk = false);

// Sends a command whose answer is not read.
std::int32_t SendOnly(std::int32_t icdev, std::uint8_t code, std::span<const std::uint8_t> data);

// Echo -> 0; otherwise the answer word (-20 for a word of 0000, which would
// read as success). Transport failures pass through.
std::int32_t EchoStatus(std::int32_t transport, const Response& r, std::uint8_t code);

// Echo with first data byte 0x90 -> 0, with another first byte -> that byte,
// without data -> -20; no echo -> as EchoStatus. Transport failures pass through.
std::int32_t StatusByteStatus(std::int32_t transport, const Response& r, std::uint8_t code);

}  // namespace vexa
