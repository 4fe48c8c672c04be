// SPDX-License-Identifier: MIT
// The bytes of one fuzz input, taken from the front. Once they run out every
// read yields zeros, so a short input is still a complete one.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace fuzz {

class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

    bool Empty() const { return pos_ >= bytes_.size(); }

    std::uint8_t Byte() { return Empty() ? 0 : bytes_[pos_++]; }

    std::uint16_t Word() {
        const std::uint16_t high = Byte();
        return static_cast<std::uint16_t>(high << 8 | Byte());
    }

    std::uint32_t Long() {
        const std::uint32_t high = Word();
        return high << 16 | Word();
    }

    // Up to n bytes; fewer when the input ends first.
    std::span<const std::uint8_t> Take(std::size_t n) {
        const std::size_t k = std::min(n, bytes_.size() - std::min(pos_, bytes_.size()));
        const auto taken = bytes_.subspan(std::min(pos_, bytes_.size()), k);
        pos_ += k;
        return taken;
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

}  // namespace fuzz
