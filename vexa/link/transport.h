// SPDX-License-Identifier: MIT
// Command and response frames over 65-byte feature reports.
//
// Command frame:  21 code LEN data... check   (check = XOR of the bytes before)
// Response frame: 12 code LEN data... check   (XOR over the whole frame is 0)
// A frame of N bytes always travels as N / 64 + 1 chunks, so a frame whose size
// is a multiple of 64 is followed by one all-zero chunk; the 24C64 write of
// exactly 128 bytes is the one frame sent without it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vexa {

constexpr std::uint8_t kCommandHead = 0x21;
constexpr std::uint8_t kResponseHead = 0x12;
constexpr std::size_t kMaxCommandFrame = 255;
constexpr std::size_t kMaxCommandData = kMaxCommandFrame - 4;  // 251
constexpr std::size_t kResponseRoom = 259;
constexpr std::size_t kFrameBuffer = 512;

std::int32_t TransmitChunk(std::int32_t icdev, const std::uint8_t* chunk, std::size_t n);
std::int32_t ReceiveChunk(std::int32_t icdev, std::uint8_t* dest, std::size_t n);

// `frame` is a zero-filled buffer of kFrameBuffer bytes holding offsets 0 to
// 2 + LEN; SendFrame writes the check byte.
std::int32_t SendFrame(std::int32_t icdev, std::uint8_t* frame, bool drop_extra_chunk);

// Receives a whole response frame into `out` (kResponseRoom bytes).
std::int32_t ReceiveResponse(std::int32_t icdev, std::uint8_t* out);

}  // namespace vexa
