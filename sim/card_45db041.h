// SPDX-License-Identifier: MIT
// The 45DB041 serial-flash card: 2048 pages of 264 bytes, erased bytes 0xFF.
//
// 0xAE reads `count` bytes of a page from a byte offset; the chip's byte
// address wraps to the start of the same page at its end.
// 0xAF writes `count` bytes into a page. The reader firmware first copies the
// page into the chip's SRAM buffer, puts the new bytes into the buffer (whose
// address wraps at the end like a page read) and programs the page back with
// built-in erase, so only the bytes sent change: a caller that writes back what
// it read leaves the page as it was.
// Page numbers use the low 11 bits, byte offsets the low 9 bits taken modulo
// 264, as the chip's address has no room for more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "sim/card.h"

namespace sim {

class Flash45DB041Card : public Card {
  public:
    static constexpr std::size_t kPages = 2048;
    static constexpr std::size_t kPageSize = 264;

    // Starts with data in the first and the last pages (each beginning with its
    // page number as text), the pages between erased.
    Flash45DB041Card();

    Reply Handle(const Command& cmd) override;
    std::string Save() const override;
    bool Load(const std::string& state) override;

    std::span<std::uint8_t> page(std::size_t number) {
        return std::span(memory_).subspan(number * kPageSize, kPageSize);
    }

  private:
    Reply Read(std::size_t page_number, std::size_t offset, std::size_t count);
    Reply Write(std::size_t page_number, std::size_t offset, std::span<const std::uint8_t> data);

    std::vector<std::uint8_t> memory_;
};

}  // namespace sim
