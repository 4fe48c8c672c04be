// SPDX-License-Identifier: MIT
#include "sim/frame_assembler.h"

#include <utility>

namespace sim {

namespace {
constexpr std::uint8_t k24C64Write = 0xB3;
}

std::size_t CommandChunks(std::uint8_t code, std::uint8_t len) {
    const std::size_t n = std::size_t{len} + 4;
    if (code == k24C64Write && n == 2 * kChunk) return 2;
    return n / kChunk + 1;
}

std::optional<std::vector<std::uint8_t>> FrameAssembler::Feed(
    std::span<const std::uint8_t, kChunk> chunk) {
    if (Idle()) {
        bytes_.clear();
        if (chunk[0] != kCommandHead) return std::vector<std::uint8_t>(chunk.begin(), chunk.end());
        chunks_left_ = CommandChunks(chunk[1], chunk[2]);
    }
    bytes_.insert(bytes_.end(), chunk.begin(), chunk.end());
    if (--chunks_left_ > 0) return std::nullopt;
    bytes_.resize(std::size_t{bytes_[2]} + 4);
    return std::move(bytes_);
}

}  // namespace sim
