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
    static constexpr char kDigits[] = "0123456789abcdef";
    const std::size_t n = std::min<std::size_t>(bytes.size(), kMaxCardSize);
    for (std::size_t i = 0; i < n; ++i) {
        m_AsciiCells[i][0] = static_cast<char>(bytes[i]);
        m_AsciiCells[i][1] = '\0';
        m_HexCells[i][0] = kDigits[bytes[i] >> 4];
        m_HexCells[i][1] = kDigits[bytes[i] & 0x0F];
        m_HexCells[i][2] = '\0';
    }
}

}  // namespace demo
