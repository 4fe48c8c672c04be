// SPDX-License-Identifier: MIT
// Space in the hex pane marks SLE4442 and SLE4428 bytes for protection; the
// write-back burns the marks into the card.
#include <gtest/gtest.h>

#include "demo/view/colors.h"
#include "sim/card_sle4428.h"
#include "sim/card_sle4442.h"
#include "tests/demo/edit_support.h"
#include "tests/demo/library_log.h"

namespace demo_test {
namespace {

namespace color = demo::color;

bool Sle4442Protected(const sim::Sle4442Card& card, int byte) {
    return !card.Writable(static_cast<std::size_t>(byte));
}

TEST(ProtectionMarkTest, Sle4442MarksOnlyUnprotectedBytesOfTheFirst32) {
    DemoHarness demo("sle4442");
    StartEditing(demo);  // bytes 0 to 7 protected since manufacture
    Press(demo, Key::kSpace);
    EXPECT_EQ(demo.state().m_ProtState4442[0], 0);
    EXPECT_EQ(demo.HexCell(0)->fg, color::kRed) << "an old protection cannot be lifted";

    Press(demo, Key::kRight, 20);  // byte 10
    Press(demo, Key::kSpace);
    EXPECT_EQ(demo.state().m_ProtState4442[10], 0);
    EXPECT_EQ(demo.HexCell(10)->fg, color::kRed);
    Press(demo, Key::kSpace);
    EXPECT_EQ(demo.state().m_ProtState4442[10], 1);
    EXPECT_EQ(demo.HexCell(10)->fg, color::kYellow);

    Press(demo, Key::kDown, 2);  // byte 42
    const std::string before = demo.HexCell(42)->text;
    Press(demo, Key::kSpace);
    EXPECT_EQ(demo.HexCell(42)->fg, color::kWhite);
    EXPECT_EQ(demo.doc().m_nModifiedRows, 0) << "a mark is no edit";

    // In the character pane Space is a character like any other.
    Press(demo, Key::kUp, 2);
    Press(demo, Key::kTab);
    Type(demo, " ");
    EXPECT_EQ(demo.doc().Byte(10), ' ');
    EXPECT_EQ(demo.state().m_ProtState4442[10], 1);
}

TEST(ProtectionMarkTest, Sle4442MarksAreWrittenAfterTheRows) {
    DemoHarness demo("sle4442");
    auto& card = demo.CardAs<sim::Sle4442Card>();
    StartEditing(demo);
    PresentSle4442Code(demo);
    Press(demo, Key::kRight, 18);  // byte 9
    Type(demo, "5");
    Press(demo, Key::kLeft);
    Press(demo, Key::kSpace);
    Press(demo, Key::kDown);  // byte 25, unchanged
    Press(demo, Key::kSpace);
    LibraryLog log;
    const int beeps = demo.ui.beeps;
    Press(demo, Key::kF5);
    EXPECT_EQ(log.calls,
              (std::vector<std::string>{"IC_Write", "IC_WriteProtection", "IC_WriteProtection"}));
    EXPECT_EQ(demo.ui.beeps, beeps + 1 + 1 + 2);
    EXPECT_EQ(card.memory.main[9] >> 4, 0x5);
    EXPECT_TRUE(Sle4442Protected(card, 9));
    EXPECT_TRUE(Sle4442Protected(card, 25));
    EXPECT_FALSE(Sle4442Protected(card, 24));
    EXPECT_EQ(demo.state().m_ProtMark4442[9], 0);

    // Protected now: Space leaves the byte alone; nothing is written twice.
    Press(demo, Key::kSpace);
    EXPECT_EQ(demo.state().m_ProtState4442[25], 0);
    Press(demo, Key::kF5);
    EXPECT_EQ(log.Count("IC_WriteProtection"), 2);
}

TEST(ProtectionMarkTest, Sle4442MarkTheCardIgnoredShowsAgainOnTheNextRead) {
    DemoHarness demo("sle4442");
    auto& card = demo.CardAs<sim::Sle4442Card>();
    StartEditing(demo);            // code not presented: the chip ignores the write
    Press(demo, Key::kRight, 24);  // byte 12
    Press(demo, Key::kSpace);
    Press(demo, Key::kF5);
    EXPECT_FALSE(Sle4442Protected(card, 12));
    EXPECT_EQ(demo.HexCell(12)->fg, color::kRed) << "the program believes the reader";

    demo.Command(demo::cmd::kReadCard);
    EXPECT_EQ(demo.HexCell(12)->fg, color::kYellow);
    demo.Command(demo::cmd::kWriteCard);
    Press(demo, Key::kRight, 24);
    Press(demo, Key::kSpace);
    EXPECT_EQ(demo.state().m_ProtState4442[12], 0) << "and can be marked again";
}

TEST(ProtectionMarkTest, WriteBackWithoutRowsStillWritesTheMarks) {
    DemoHarness demo("sle4442");
    StartEditing(demo);
    Press(demo, Key::kRight, 30);  // byte 15
    Press(demo, Key::kSpace);
    LibraryLog log;
    const int beeps = demo.ui.beeps;
    Press(demo, Key::kReturn);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"IC_WriteProtection"}));
    EXPECT_EQ(demo.ui.beeps, beeps + 2);
}

TEST(ProtectionMarkTest, AFailedMarkEndsTheWriteAndKeepsTheRows) {
    DemoHarness demo("sle4442");
    StartEditing(demo);
    PresentSle4442Code(demo);
    Press(demo, Key::kDown, 3);
    Type(demo, "11");
    Press(demo, Key::kUp, 3);
    Press(demo, Key::kHome);
    Press(demo, Key::kRight, 30);
    Press(demo, Key::kSpace);
    LibraryLog log;
    log.Fail("IC_WriteProtection", 0x6F00);
    Press(demo, Key::kF5);
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0], (RecordingUi::Message{"Protect Fail!", "Message",
                                                         MsgButtons::kOk, MsgIcon::kInformation}));
    EXPECT_EQ(demo.doc().m_nModifiedRows, 1);
    EXPECT_EQ(demo.state().m_ProtMark4442[15], 1);
}

TEST(ProtectionMarkTest, Sle4428MarksWritableBytesButNeverTheLastThree) {
    DemoHarness demo("sle4428");
    auto& card = demo.CardAs<sim::Sle4428Card>();
    card.memory.writable[50] = 0;
    card.memory.writable[51] = 1;
    StartEditing(demo);
    Press(demo, Key::kDown, 3);
    Press(demo, Key::kRight, 4);  // byte 50, protected on the card
    Press(demo, Key::kSpace);
    EXPECT_EQ(demo.HexCell(50)->fg, color::kRed);
    Press(demo, Key::kSpace);
    EXPECT_EQ(demo.HexCell(50)->fg, color::kRed) << "never shown as writable";

    Press(demo, Key::kRight, 2);  // byte 51
    Press(demo, Key::kSpace);
    EXPECT_EQ(demo.HexCell(51)->fg, color::kRed);
    Press(demo, Key::kSpace);
    EXPECT_EQ(demo.HexCell(51)->fg, color::kYellow);

    Press(demo, Key::kPageDown, 3);
    Press(demo, Key::kDown, 15);
    Press(demo, Key::kEnd);
    for (int byte = 1023; byte >= 1020; --byte) {
        Press(demo, Key::kSpace);
        Press(demo, Key::kLeft, 2);
    }
    const auto& flags = demo.state().m_Pages4428[3];
    EXPECT_NE(flags[256 + 255], 0);
    EXPECT_NE(flags[256 + 254], 0);
    EXPECT_NE(flags[256 + 253], 0);
    EXPECT_EQ(flags[256 + 252], 0) << "byte 1020 can be marked";
    EXPECT_EQ(demo.HexCell(252)->fg, color::kRed);
}

TEST(ProtectionMarkTest, Sle4428MarksAreWrittenWithTheirBytes) {
    DemoHarness demo("sle4428");
    auto& card = demo.CardAs<sim::Sle4428Card>();
    StartEditing(demo);
    PresentSle4428Code(demo);
    Press(demo, Key::kPageDown);
    Type(demo, "c3");  // byte 256
    Press(demo, Key::kLeft, 2);
    Press(demo, Key::kSpace);
    LibraryLog log;
    Press(demo, Key::kF5);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"IC_Write", "IC_WriteWithProtection"}));
    EXPECT_EQ(card.memory.main[256], 0xC3);
    EXPECT_EQ(card.memory.writable[256], 0);
    EXPECT_EQ(demo.state().m_Pages4428Saved[1][256], 0);

    Press(demo, Key::kSpace);
    EXPECT_EQ(demo.HexCell(0)->fg, color::kRed) << "protected now";
}

TEST(ProtectionMarkTest, OtherCardsHaveNoMarks) {
    DemoHarness demo("24c02");
    StartEditing(demo);
    Press(demo, Key::kSpace);
    EXPECT_EQ(demo.HexCell(0)->fg, color::kWhite);
    LibraryLog log;
    Press(demo, Key::kF5);
    EXPECT_TRUE(log.calls.empty());
}

}  // namespace
}  // namespace demo_test
