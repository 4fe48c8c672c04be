// SPDX-License-Identifier: MIT
// Reassembles command frames from the 64-byte chunks of feature reports, the
// way the reader firmware does: the frame's length byte tells how many chunks
// follow, including the all-zero chunk after a frame whose size is a multiple
// of 64 (a 128-byte 24C64 write being the one frame sent without it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace sim {

constexpr std::size_t kChunk = 64;
constexpr std::uint8_t kCommandHead = 0x21;
constexpr std::uint8_t kResponseHead = 0x12;

// Reports a command frame of this code and length travels in.
std::size_t CommandChunks(std::uint8_t code, std::uint8_t len);

class FrameAssembler {
  public:
    // Returns the frame (LEN + 4 bytes) once its last chunk has arrived. A
    // first chunk whose head is not 0x21 gives no length to go by: it is
    // returned at once, as a frame of its own 64 bytes.
    std::optional<std::vector<std::uint8_t>> Feed(std::span<const std::uint8_t, kChunk> chunk);
    // True between frames.
    bool Idle() const { return chunks_left_ == 0; }

  private:
    std::vector<std::uint8_t> bytes_;
    std::size_t chunks_left_ = 0;
};

}  // namespace sim
