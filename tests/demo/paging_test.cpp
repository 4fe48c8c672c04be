// SPDX-License-Identifier: MIT
// Page Up and Page Down through the image, in and out of edit mode, and the
// error counter screen of the protected-memory cards.
#include <gtest/gtest.h>

#include <string>

#include "demo/res/dialog_templates.h"
#include "demo/view/colors.h"
#include "sim/card_24c.h"
#include "sim/card_sle4442.h"
#include "tests/demo/edit_support.h"
#include "tests/demo/library_log.h"

namespace demo_test {
namespace {

namespace color = demo::color;

std::string Hex(std::uint8_t byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    return {kDigits[byte >> 4], kDigits[byte & 0xF]};
}

std::string ErrorCounterText(const DemoHarness& demo) {
    return demo.ui.VisibleAt(60, 90);
}

// Pages through the whole card and back, checking each page against the
// chip.
void PageThroughEveryPage(const char* card_name, int pages) {
    SCOPED_TRACE(card_name);
    DemoHarness demo(card_name);
    auto& chip = demo.CardAs<sim::Eeprom24CCard>();
    demo.Start();
    demo.Command(demo::cmd::kReadCard);
    ASSERT_EQ(demo.PageCount(), std::to_string(pages));
    for (int page = 0; page < pages; ++page) {
        ASSERT_EQ(PageNumber(demo), std::to_string(page + 1));
        for (int i = 0; i < 256; i += 15) {
            ASSERT_EQ(demo.HexCell(i)->text, Hex(chip.memory()[page * 256 + i])) << page;
        }
        Press(demo, Key::kPageDown);
    }
    EXPECT_EQ(demo.state().m_nPage, pages - 1) << "the last page stays";
    EXPECT_EQ(ErrorCounterText(demo), "");
    Press(demo, Key::kPageUp, pages + 2);
    EXPECT_EQ(demo.state().m_nPage, 0);
    EXPECT_EQ(PageNumber(demo), "1");
    EXPECT_EQ(demo.HexCell(0)->text, Hex(chip.memory()[0]));
}

TEST(PagingTest, LargeCardsShowEveryPage) {
    PageThroughEveryPage("24c16", 8);
    PageThroughEveryPage("24c64", 32);
}

TEST(PagingTest, PageDownOnTheLastPageOfA24C02DoesNothing) {
    DemoHarness demo("24c02");
    demo.Start();
    demo.Command(demo::cmd::kReadCard);
    LibraryLog log;
    const int draws = static_cast<int>(demo.HexCell(0)->order);
    Press(demo, Key::kPageDown);
    Press(demo, Key::kPageUp);
    EXPECT_TRUE(log.calls.empty());
    EXPECT_EQ(demo.HexCell(0)->order, draws) << "nothing drawn";
}

TEST(PagingTest, PageDownNeedsAnImage) {
    DemoHarness demo("24c16");
    demo.Start();
    Press(demo, Key::kPageDown);
    EXPECT_EQ(demo.state().m_nPage, 0);
    EXPECT_EQ(demo.HexCell(0)->fg, color::kNavy);
}

TEST(PagingTest, Sle4442ShowsItsErrorCounterPastTheLastPage) {
    DemoHarness demo("sle4442");
    StartEditing(demo);
    Press(demo, Key::kRight, 3);
    LibraryLog log;
    Press(demo, Key::kPageDown);
    EXPECT_EQ(log.calls, std::vector<std::string>{"IC_ReadCount_SLE4442"});
    EXPECT_EQ(ErrorCounterText(demo), "Error Count:3");
    EXPECT_EQ(demo.ui.TextAt(60, 90)->fg, color::kRed);
    EXPECT_EQ(demo.state().m_nPage, 0);
    EXPECT_FALSE(demo.ui.caret.shown);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(demo.HexCell(i)->fg, color::kNavy) << i;

    // Nothing can be edited unseen under the counter.
    Type(demo, "12");
    Press(demo, Key::kDown);
    EXPECT_EQ(demo.doc().m_nModifiedRows, 0);
    EXPECT_EQ(CaretAt(demo), HexDigit(1, true));

    Press(demo, Key::kPageUp);
    EXPECT_EQ(ErrorCounterText(demo), "");
    EXPECT_EQ(demo.state().m_nPage, 0);
    EXPECT_NE(demo.HexCell(0)->fg, color::kNavy) << "the page is back";
    EXPECT_TRUE(demo.ui.caret.shown);
    Type(demo, "1");
    EXPECT_EQ(demo.doc().m_nModifiedRows, 1);
}

TEST(PagingTest, Sle4428CounterScreenReturnsToThePageBeforeTheLast) {
    DemoHarness demo("sle4428");
    demo.Start();
    demo.Command(demo::cmd::kReadCard);
    Press(demo, Key::kPageDown, 3);
    EXPECT_EQ(PageNumber(demo), "4");
    LibraryLog log;
    Press(demo, Key::kPageDown);
    EXPECT_EQ(log.Count("IC_ReadCount_SLE4428"), 1);
    EXPECT_EQ(ErrorCounterText(demo), "Error Count:8");
    log.Fail("IC_ReadCount_SLE4428", 0x61D8);  // an empty slot's answer word is no count
    Press(demo, Key::kPageDown);
    EXPECT_EQ(ErrorCounterText(demo), "Error Count:-25048");
    demo.Command(demo::cmd::kCheckPass);
    EXPECT_EQ(demo.ui.messages.at(0).text, "System Not Ready!");
    Press(demo, Key::kPageUp);
    EXPECT_EQ(demo.state().m_nPage, 2);
    EXPECT_EQ(PageNumber(demo), "3");
    EXPECT_EQ(ErrorCounterText(demo), "");
}

TEST(PagingTest, InEditModeTheCaretKeepsItsPlaceOnTheNewPage) {
    DemoHarness demo("24c04");
    StartEditing(demo);
    Press(demo, Key::kDown, 3);
    Press(demo, Key::kTab);
    Press(demo, Key::kRight, 2);
    Press(demo, Key::kPageDown);
    EXPECT_EQ(CaretAt(demo), CharAt(50));
    EXPECT_EQ(CaretOffsetText(demo), "306");
    EXPECT_TRUE(demo.ui.caret.shown);
    Press(demo, Key::kPageUp);
    EXPECT_EQ(CaretOffsetText(demo), "50");
}

TEST(PagingTest, A45DB041PageDownPutsTheCaretOnTheFirstByte) {
    DemoHarness demo("45db041");
    demo.Start();
    demo.ui.ScriptDialog({{{{demo::page_dlg::kPage, "0"}}}});
    demo.Command(demo::cmd::kReadCard);
    demo.Command(demo::cmd::kWriteCard);
    Press(demo, Key::kDown, 9);
    Press(demo, Key::kTab);
    Press(demo, Key::kRight, 12);
    Press(demo, Key::kPageDown);
    EXPECT_EQ(demo.state().m_nPage, 1);
    EXPECT_EQ(CaretAt(demo), CharAt(0)) << "page 2 holds only 8 bytes";
    EXPECT_EQ(CaretOffsetText(demo), "256 IN 0");
}

}  // namespace
}  // namespace demo_test
