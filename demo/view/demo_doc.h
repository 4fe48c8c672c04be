// SPDX-License-Identifier: MIT
// The document: the card image as the view shows it, one character cell and
// one hexadecimal cell per card byte, and the rows modified since the last
// write.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace demo {

class CDemoDoc {
  public:
    // The largest card (24C64).
    static constexpr int kMaxCardSize = 8192;
    // Entries 1 to m_nModifiedRows are used; entry 0 never is.
    static constexpr int kModifiedRowCapacity = 2048;

    CDemoDoc();

    // Stores the bytes read from a card at offsets 0 onward; cells beyond
    // them keep their contents.
    void StoreImage(std::span<const std::uint8_t> bytes);
    // The byte value held in a character cell.
    std::uint8_t Byte(int offset) const {
        return static_cast<std::uint8_t>(m_AsciiCells[offset][0]);
    }
    // Sets one byte in both cells.
    void SetByte(int offset, std::uint8_t value);
    // Notes that the 16-byte row starting at `row_offset` was edited. A
    // repetition of the last entry is not noted again; a full list keeps
    // each row once, so that no edited row goes unwritten.
    void RecordModifiedRow(std::int32_t row_offset);
    // Edits of an image the view no longer shows must not reach the card
    // read next.
    void ForgetModifiedRows() { m_nModifiedRows = 0; }

    std::int32_t m_nModifiedRows = 0;
    std::array<std::int32_t, kModifiedRowCapacity> m_ModifiedRows{};
    // Per card byte: its raw value, then a NUL.
    char m_AsciiCells[kMaxCardSize][2];
    // Per card byte: two lowercase hexadecimal digits, then a NUL.
    char m_HexCells[kMaxCardSize][3];
};

}  // namespace demo
