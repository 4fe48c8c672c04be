// SPDX-License-Identifier: MIT
// The view's working state, under the names the program has always used.
// The view keeps it private; commands change it through the view's
// operations.
#pragma once

#include <array>
#include <cstdint>

#include "demo/port/screen_layout.h"
#include "demo/port/ui_port.h"
#include "demo/view/card_layouts.h"

namespace demo {

namespace read_state {
constexpr int kAutoTestPending = 100;
constexpr int kNoImage = 50;
constexpr int kNoCard = 1;
constexpr int kImageShown = 2;
constexpr int kStatusFailed = 3;
constexpr int kReadFailed = 4;
}  // namespace read_state

constexpr int kUsbPort = 100;

struct ViewState {
    std::int32_t m_icdev = 0;
    std::int32_t m_nCommPort = -1;
    std::int32_t m_nCardType = -1;
    std::int32_t m_nCpuProtocol = -1;
    std::int32_t m_nReadState = read_state::kAutoTestPending;
    std::int32_t m_nCardSize = 0;
    std::int32_t m_nPageCount = 0;
    std::int32_t m_nPage = 0;
    std::int32_t m_nZone = 0;
    std::int32_t m_nSsfPage = 0;
    std::int32_t m_nPassSet = 0;  // secure-memory password set last chosen
    std::int32_t m_bEditMode = 0;
    std::int32_t m_nCaretPane = 0;
    screen::Point m_ptCaret{screen::kHexLeft, screen::kDumpTop};
    std::int32_t m_bImageShown = 0;
    // Row and column of the last click that found them (clicks beside the
    // panes keep them).
    std::int32_t m_nClickRow = 0;
    std::int32_t m_nClickColumn = 0;
    std::int32_t m_nCharWidth = 0;
    std::int32_t m_nLineHeight = 0;
    std::array<std::uint8_t, 32> m_ProtState4442{};
    std::array<std::uint8_t, 32> m_ProtMark4442{};
    std::uint8_t m_Pages4428[4][512] = {};
    std::uint8_t m_Pages4428Saved[4][512] = {};
    LayoutTable m_Layouts;
    Size m_BackgroundSize;
};

}  // namespace demo
