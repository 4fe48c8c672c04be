// SPDX-License-Identifier: MIT
// Driving edit mode from tests: keys, typed characters and clicks as the
// window delivers them, and where the caret is.
#pragma once

#include <gtest/gtest.h>

#include <string_view>
#include <utility>

#include "demo/res/command_ids.h"
#include "tests/demo/demo_harness.h"
#include "vexa.h"

namespace demo_test {

using demo::Key;

inline void Press(DemoHarness& demo, Key key, int times = 1) {
    for (int i = 0; i < times; ++i) demo.app->OnKeyDown(key);
    demo.ui.Pump();
}

// Each character arrives as a key press and the character it makes.
inline void Type(DemoHarness& demo, std::string_view text) {
    for (char ch : text) {
        demo.app->OnKeyDown(ch == ' ' ? Key::kSpace : Key::kOther);
        demo.app->OnChar(ch);
    }
    demo.ui.Pump();
}

inline void Click(DemoHarness& demo, int x, int y) {
    demo.app->OnLButtonDown(x, y);
    demo.ui.Pump();
}

// Start-up, "Read Card" and "Write Card".
inline void StartEditing(DemoHarness& demo) {
    demo.Start();
    demo.Command(demo::cmd::kReadCard);
    demo.Command(demo::cmd::kWriteCard);
}

// Presents the simulated cards' factory code, as "Check Pass" does: the
// card takes writes from then on.
inline void PresentSle4442Code(DemoHarness& demo) {
    const unsigned char code[3] = {0xFF, 0xFF, 0xFF};
    ASSERT_EQ(IC_CheckPass_SLE4442(demo.state().m_icdev, code), 0);
}
inline void PresentSle4428Code(DemoHarness& demo) {
    const unsigned char code[2] = {0xFF, 0xFF};
    ASSERT_EQ(IC_CheckPass_SLE4428(demo.state().m_icdev, code), 0);
}

inline std::pair<int, int> CaretAt(const DemoHarness& demo) {
    return {demo.ui.caret.x, demo.ui.caret.y};
}

// Where the caret stands on a hex digit or a character of page byte i.
inline std::pair<int, int> HexDigit(int i, bool second = false) {
    return {demo::screen::HexCellX(i) + (second ? demo::screen::kCharWidth : 0),
            demo::screen::CellY(i)};
}
inline std::pair<int, int> CharAt(int i) {
    return {demo::screen::CharCellX(i), demo::screen::CellY(i)};
}

inline std::string PageNumber(const DemoHarness& demo) {
    return demo.ui.VisibleAt(demo::screen::kPageNumber.x, demo::screen::kPageNumber.y);
}
inline std::string CaretOffsetText(const DemoHarness& demo) {
    return demo.ui.VisibleAt(demo::screen::kDecimalOffset.x, demo::screen::kDecimalOffset.y);
}

}  // namespace demo_test
