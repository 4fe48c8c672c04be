// SPDX-License-Identifier: MIT
#include "demo/view/demo_doc.h"

#include <algorithm>

namespace demo {

CDemoDoc::CDemoDoc() {
    for (auto& cell : m_AsciiCells) {
        cell[0] = '.';
        cell[1] = '\0';
    }
    for (auto& cell : m_HexCells) {
        cell[0] = 'f';
        cell[1] = 'f';
        cell[2] = '\0';
    }
}

void CDemoDoc::StoreImage(std::span<const std::uint8_t> bytes) {
    const std::size_t n = std::min<std::size_t>(bytes.size(), kMaxCardSize);
    for (std::size_t i = 0; i < n; ++i) SetByte(static_cast<int>(i), bytes[i]);
}

void CDemoDoc::SetByte(int offset, std::uint8_t value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    m_AsciiCells[offset][0] = static_cast<char>(value);
    m_AsciiCells[offset][1] = '\0';
    m_HexCells[offset][0] = kDigits[value >> 4];
    m_HexCells[offset][1] = kDigits[value & 0x0F];
    m_HexCells[offset][2] = '\0';
}

void CDemoDoc::RecordModifiedRow(std::int32_t row_offset) {
    if (m_nModifiedRows > 0 && m_ModifiedRows[m_nModifiedRows] == row_offset) return;
    if (m_nModifiedRows == kModifiedRowCapacity - 1) {
        // Writing a row twice writes the same bytes twice: once is enough.
        auto used = std::span(m_ModifiedRows).subspan(1, m_nModifiedRows);
        auto end = used.begin();
        for (auto it = used.begin(); it != used.end(); ++it) {
            if (std::find(used.begin(), end, *it) == end) *end++ = *it;
        }
        m_nModifiedRows = static_cast<std::int32_t>(end - used.begin());
        if (std::find(used.begin(), end, row_offset) != end) return;
    }
    m_ModifiedRows[++m_nModifiedRows] = row_offset;
}

}  // namespace demo
