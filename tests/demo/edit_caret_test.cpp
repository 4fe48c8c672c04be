// SPDX-License-Identifier: MIT
// Edit mode: the hints, typing in both panes, the caret's moves by key and
// by mouse with every row, page and card-end crossing, and Esc.
#include <gtest/gtest.h>

#include <string>

#include "demo/res/dialog_templates.h"
#include "demo/view/colors.h"
#include "sim/card_24c.h"
#include "sim/card_sle4442.h"
#include "tests/demo/edit_support.h"

namespace demo_test {
namespace {

namespace color = demo::color;

TEST(EditModeTest, WriteCardShowsTheHintsAndTheCaretOnTheFirstDigit) {
    DemoHarness demo("sle4442");
    StartEditing(demo);
    EXPECT_EQ(demo.state().m_bEditMode, 1);
    EXPECT_EQ(demo.Status(1), "F5 :Write Data");
    EXPECT_EQ(demo.Status(2), "ESC:Return     ");
    EXPECT_EQ(demo.ui.VisibleAt(12, 336), "SPA:Add Pro   ");
    EXPECT_EQ(demo.ui.caret.width, 8);
    EXPECT_EQ(demo.ui.caret.height, 15);
    EXPECT_TRUE(demo.ui.caret.shown);
    EXPECT_EQ(CaretAt(demo), HexDigit(0));
    EXPECT_EQ(CaretOffsetText(demo), "0");
    EXPECT_EQ(demo.ui.VisibleAt(533, 301), "00H");
    EXPECT_EQ(demo.ui.VisibleAt(425, 332), "ProData");

    DemoHarness other("24c02");
    StartEditing(other);
    EXPECT_EQ(other.Status(2), "ESC:Return    ");
    EXPECT_EQ(other.ui.VisibleAt(12, 336), "");
}

TEST(EditModeTest, NeedsAnImageReadFromTheCard) {
    DemoHarness demo("24c02");
    demo.Start();
    demo.Command(demo::cmd::kWriteCard);
    EXPECT_EQ(demo.state().m_bEditMode, 0) << "nothing read yet";

    demo.Command(demo::cmd::kReadCard);
    demo.Command(demo::cmd::k24C16);  // another type: the image is gone
    demo.Command(demo::cmd::kWriteCard);
    EXPECT_EQ(demo.state().m_bEditMode, 0);
    EXPECT_FALSE(demo.ui.caret.shown);
}

TEST(EditModeTest, EscLeavesEditModeAndOutsideItAsksToQuit) {
    DemoHarness demo("24c02");
    StartEditing(demo);
    Press(demo, Key::kTab);
    Press(demo, Key::kEscape);
    EXPECT_EQ(demo.state().m_bEditMode, 0);
    EXPECT_EQ(demo.state().m_nCaretPane, 0);
    EXPECT_FALSE(demo.ui.caret.shown);
    EXPECT_EQ(demo.Status(1), "");
    EXPECT_EQ(demo.Status(2), "");
    EXPECT_TRUE(demo.ui.messages.empty());
    Type(demo, "12");
    EXPECT_EQ(demo.doc().m_nModifiedRows, 0) << "typing outside edit mode is ignored";

    Press(demo, Key::kEscape);
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0], (RecordingUi::Message{"Quit Application?", "Warning...",
                                                         MsgButtons::kYesNo, MsgIcon::kQuestion}));
    EXPECT_FALSE(demo.ui.destroyed);
    demo.ui.Answer(MsgAnswer::kYes);
    Press(demo, Key::kEscape);
    EXPECT_TRUE(demo.ui.destroyed);
}

TEST(EditModeTest, AnotherCommandEndsEditModeWithItsHints) {
    DemoHarness demo("sle4442");
    StartEditing(demo);
    demo.Command(demo::cmd::kReadCard);
    EXPECT_EQ(demo.state().m_bEditMode, 0);
    EXPECT_FALSE(demo.ui.caret.shown);
    EXPECT_EQ(demo.ui.VisibleAt(12, 336), "") << "Space marks nothing now";

    demo.Command(demo::cmd::kWriteCard);
    demo.Command(demo::cmd::k24C02);
    EXPECT_EQ(demo.state().m_bEditMode, 0);
    EXPECT_EQ(demo.ui.VisibleAt(12, 336), "");
}

TEST(HexEntryTest, TwoDigitsMakeTheByteAndMoveToTheNextByte) {
    DemoHarness demo("24c02");
    StartEditing(demo);
    Type(demo, "a5");
    EXPECT_EQ(demo.doc().Byte(0), 0xA5);
    EXPECT_EQ(demo.HexCell(0)->text, "a5");
    EXPECT_EQ(demo.HexCell(0)->fg, color::kWhite);
    EXPECT_EQ(demo.CharCell(0)->text, "\xA5");
    EXPECT_EQ(CaretAt(demo), HexDigit(1));

    // Other characters are ignored; upper case is taken and shown as typed.
    Type(demo, "xg-B");
    EXPECT_EQ(CaretAt(demo), HexDigit(1, true));
    EXPECT_EQ(demo.doc().m_HexCells[1][0], 'B');
    Type(demo, "0");
    EXPECT_EQ(demo.doc().Byte(1), 0xB0);
    EXPECT_EQ(demo.HexCell(1)->text, "B0");

    // A zero byte leaves its character cell empty.
    Type(demo, "00");
    EXPECT_EQ(demo.ui.VisibleAt(demo::screen::CharCellX(2), demo::screen::CellY(2)), "");
}

TEST(HexEntryTest, TheColourIsTheBytesProtectionOrArea) {
    DemoHarness demo("sle4442");
    StartEditing(demo);  // bytes 0 to 7 protected
    Type(demo, "11");
    EXPECT_EQ(demo.HexCell(0)->fg, color::kRed);
    EXPECT_EQ(demo.CharCell(0)->fg, color::kRed);
    Press(demo, Key::kRight, 14);  // byte 8
    Type(demo, "2");
    EXPECT_EQ(demo.HexCell(8)->fg, color::kYellow);
    Press(demo, Key::kDown, 2);  // byte 40
    Type(demo, "3");
    EXPECT_EQ(demo.HexCell(40)->fg, color::kWhite);
}

TEST(HexEntryTest, TypingCrossesRowsAndPagesAndStopsOnTheLastByte) {
    DemoHarness demo("24c04");
    StartEditing(demo);
    Press(demo, Key::kEnd);  // second digit of byte 15
    Type(demo, "1");
    EXPECT_EQ(CaretAt(demo), HexDigit(16));
    Press(demo, Key::kDown, 14);
    Press(demo, Key::kEnd);  // byte 255
    Type(demo, "2");
    EXPECT_EQ(demo.state().m_nPage, 1);
    EXPECT_EQ(PageNumber(demo), "2");
    EXPECT_EQ(CaretAt(demo), HexDigit(0));
    EXPECT_EQ(demo.HexCell(0)->text, demo.doc().m_HexCells[256]) << "page 2 is drawn";

    Press(demo, Key::kDown, 15);
    Press(demo, Key::kEnd);
    Press(demo, Key::kLeft);  // first digit of the card's last byte, 511
    Type(demo, "c");
    EXPECT_EQ(CaretAt(demo), HexDigit(255, true));
    Type(demo, "d");
    EXPECT_EQ(CaretAt(demo), HexDigit(255, true));
    EXPECT_EQ(demo.state().m_nPage, 1);
    EXPECT_EQ(demo.doc().Byte(511), 0xCD);
    Type(demo, "e");
    EXPECT_EQ(demo.doc().Byte(511), 0xCE) << "the last digit can still be retyped";
}

TEST(CharEntryTest, PrintableCharactersMakeTheByteAndMoveOn) {
    DemoHarness demo("24c04");
    StartEditing(demo);
    Press(demo, Key::kTab);
    EXPECT_EQ(demo.state().m_nCaretPane, 1);
    EXPECT_EQ(CaretAt(demo), CharAt(0));
    Type(demo, "Hi\x7F\x1F~");
    EXPECT_EQ(demo.doc().Byte(0), 'H');
    EXPECT_EQ(demo.doc().Byte(1), 'i');
    EXPECT_EQ(demo.doc().Byte(2), '~');
    EXPECT_EQ(demo.HexCell(0)->text, "48");
    EXPECT_EQ(demo.CharCell(1)->text, "i");
    EXPECT_EQ(CaretAt(demo), CharAt(3));

    Press(demo, Key::kEnd);
    Type(demo, "x");
    EXPECT_EQ(CaretAt(demo), CharAt(16));
    Press(demo, Key::kDown, 14);
    Press(demo, Key::kEnd);
    Type(demo, "y");
    EXPECT_EQ(demo.state().m_nPage, 1);
    EXPECT_EQ(CaretAt(demo), CharAt(0));
    Press(demo, Key::kDown, 15);
    Press(demo, Key::kEnd);
    Type(demo, "z");
    Type(demo, "w");
    EXPECT_EQ(CaretAt(demo), CharAt(255));
    EXPECT_EQ(demo.doc().Byte(511), 'w');
}

TEST(CharEntryTest, TheColourFollowsProtectionOnAnSle4442) {
    DemoHarness demo("sle4442");
    StartEditing(demo);
    Press(demo, Key::kTab);
    Type(demo, "A");
    EXPECT_EQ(demo.CharCell(0)->fg, color::kRed);
    EXPECT_EQ(demo.HexCell(0)->text, "41");
    Press(demo, Key::kDown, 2);
    Type(demo, "B");
    EXPECT_EQ(demo.CharCell(33)->fg, color::kWhite);
}

TEST(CaretKeysTest, TabSwitchesPanesOnTheSameByte) {
    DemoHarness demo("24c02");
    StartEditing(demo);
    Press(demo, Key::kRight, 7);  // second digit of byte 3
    Press(demo, Key::kTab);
    EXPECT_EQ(CaretAt(demo), CharAt(3));
    Press(demo, Key::kTab);
    EXPECT_EQ(CaretAt(demo), HexDigit(3));
    EXPECT_EQ(demo.state().m_nCaretPane, 0);
}

TEST(CaretKeysTest, LeftAndRightCrossRowsAndPages) {
    DemoHarness demo("24c04");
    StartEditing(demo);
    Press(demo, Key::kLeft);
    EXPECT_EQ(CaretAt(demo), HexDigit(0)) << "page 1 starts here";
    Press(demo, Key::kRight, 2);
    EXPECT_EQ(CaretAt(demo), HexDigit(1));
    Press(demo, Key::kLeft);
    EXPECT_EQ(CaretAt(demo), HexDigit(0, true));
    Press(demo, Key::kDown);
    Press(demo, Key::kHome);
    Press(demo, Key::kLeft);
    EXPECT_EQ(CaretAt(demo), HexDigit(15, true));
    Press(demo, Key::kRight);
    EXPECT_EQ(CaretAt(demo), HexDigit(16));

    Press(demo, Key::kDown, 14);
    Press(demo, Key::kEnd);
    Press(demo, Key::kRight);
    EXPECT_EQ(demo.state().m_nPage, 1);
    EXPECT_EQ(CaretAt(demo), HexDigit(0));
    Press(demo, Key::kLeft);
    EXPECT_EQ(demo.state().m_nPage, 0);
    EXPECT_EQ(CaretAt(demo), std::make_pair(447, 257));
    EXPECT_EQ(CaretOffsetText(demo), "255");
    EXPECT_EQ(demo.ui.VisibleAt(533, 301), "0FFH");

    // On the card's last byte Right goes no further than its second digit.
    Press(demo, Key::kDown);
    Press(demo, Key::kDown, 15);
    Press(demo, Key::kEnd);
    Press(demo, Key::kLeft);
    Press(demo, Key::kRight, 3);
    EXPECT_EQ(CaretAt(demo), std::make_pair(447, 257));
    EXPECT_EQ(demo.state().m_nPage, 1);

    Press(demo, Key::kTab);
    Press(demo, Key::kRight);
    EXPECT_EQ(CaretAt(demo), CharAt(255));
    Press(demo, Key::kHome);
    EXPECT_EQ(CaretAt(demo), CharAt(240));
    Press(demo, Key::kLeft);
    EXPECT_EQ(CaretAt(demo), CharAt(239));
    Press(demo, Key::kUp, 14);
    Press(demo, Key::kHome);
    Press(demo, Key::kLeft);
    EXPECT_EQ(demo.state().m_nPage, 0);
    EXPECT_EQ(CaretAt(demo), CharAt(255));
    Press(demo, Key::kRight);
    EXPECT_EQ(demo.state().m_nPage, 1);
    EXPECT_EQ(CaretAt(demo), CharAt(0));
}

TEST(CaretKeysTest, UpAndDownKeepTheColumnAndStayInsideTheCard) {
    DemoHarness demo("24c04");
    StartEditing(demo);
    Press(demo, Key::kRight, 5);  // second digit of byte 2
    Press(demo, Key::kUp);
    EXPECT_EQ(CaretAt(demo), HexDigit(2, true)) << "page 1, row 0";
    Press(demo, Key::kDown, 15);
    EXPECT_EQ(CaretAt(demo), HexDigit(242, true));
    Press(demo, Key::kDown);
    EXPECT_EQ(demo.state().m_nPage, 1);
    EXPECT_EQ(PageNumber(demo), "2");
    EXPECT_EQ(CaretAt(demo), HexDigit(2, true));
    Press(demo, Key::kDown, 20);
    EXPECT_EQ(CaretAt(demo), HexDigit(242, true)) << "no byte 16 further on the last row";
    Press(demo, Key::kUp, 16);
    EXPECT_EQ(demo.state().m_nPage, 0);
    EXPECT_EQ(CaretAt(demo), HexDigit(242, true));

    DemoHarness small("24c01");
    StartEditing(small);
    Press(small, Key::kDown, 10);
    EXPECT_EQ(CaretAt(small), HexDigit(112)) << "a 24C01A ends on row 8";
}

TEST(CaretKeysTest, EndOnAShortRowGoesToTheCardsLastByte) {
    DemoHarness demo("45db041");
    demo.Start();
    demo.ui.ScriptDialog({{{{demo::page_dlg::kPage, "2"}}}});
    demo.Command(demo::cmd::kReadCard);
    demo.Command(demo::cmd::kWriteCard);
    Press(demo, Key::kEnd);
    EXPECT_EQ(CaretAt(demo), HexDigit(15, true));
    Press(demo, Key::kDown, 16);
    EXPECT_EQ(demo.state().m_nPage, 0) << "byte 271 does not exist";
    Press(demo, Key::kHome);
    Press(demo, Key::kDown);  // page 2 holds bytes 256 to 263
    EXPECT_EQ(demo.state().m_nPage, 1);
    Press(demo, Key::kEnd);
    EXPECT_EQ(CaretAt(demo), HexDigit(7, true));
    EXPECT_EQ(CaretOffsetText(demo), "263 IN 2");
    Press(demo, Key::kTab);
    Press(demo, Key::kEnd);
    Press(demo, Key::kRight);
    Type(demo, "z");
    EXPECT_EQ(CaretAt(demo), CharAt(7));
}

TEST(CaretMouseTest, AClickPlacesTheCaretOnTheByteHit) {
    DemoHarness demo("24c02");
    StartEditing(demo);
    Click(demo, 33 + 27 * 3 - 9, 32 + 15 * 2);  // the gap before byte 35
    EXPECT_EQ(CaretAt(demo), HexDigit(35));
    Click(demo, 33 + 27 * 4 + 12, 32 + 15 * 2 + 14);  // second digit of byte 36
    EXPECT_EQ(CaretAt(demo), HexDigit(36));
    EXPECT_EQ(CaretOffsetText(demo), "36");
    Click(demo, 475 + 9 * 5 + 4, 32 + 15 * 6 + 1);
    EXPECT_EQ(CaretAt(demo), CharAt(101));
    EXPECT_EQ(demo.state().m_nCaretPane, 1);
    EXPECT_TRUE(demo.ui.caret.shown);

    // Beside the panes the caret stays, but the row is kept for the next
    // click that finds no row of its own.
    Click(demo, 10, 32 + 15 * 9);
    EXPECT_EQ(CaretAt(demo), CharAt(101));
    // Right of the last byte's digits: the kept column (5) with the new row.
    Click(demo, 460, 32 + 15 * 4);
    EXPECT_EQ(CaretAt(demo), HexDigit(69));
    EXPECT_EQ(demo.state().m_nCaretPane, 0);
    EXPECT_TRUE(demo.ui.messages.empty());

    // The exit area asks first; No keeps the program and the caret.
    Click(demo, 500, 400);
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0].text, "Exit System ?");
    EXPECT_FALSE(demo.ui.destroyed);
    EXPECT_EQ(CaretAt(demo), HexDigit(69));
}

TEST(CaretMouseTest, RowsBeyondTheCardCannotBeClicked) {
    DemoHarness demo("24c01");
    StartEditing(demo);
    Click(demo, 40, 32 + 15 * 9);
    EXPECT_EQ(CaretAt(demo), HexDigit(0));
    Click(demo, 40, 32 + 15 * 7);
    EXPECT_EQ(CaretAt(demo), HexDigit(112));
}

TEST(CaretMouseTest, OutsideEditModeAClickMovesNothing) {
    DemoHarness demo("24c02");
    demo.Start();
    demo.Command(demo::cmd::kReadCard);
    Click(demo, 120, 80);
    EXPECT_FALSE(demo.ui.caret.shown);
    EXPECT_EQ(demo.state().m_bEditMode, 0);
}

TEST(ModifiedRowsTest, OnlyARepetitionOfTheLastRowIsLeftOut) {
    DemoHarness demo("24c02");
    StartEditing(demo);
    Type(demo, "1122");  // row 0 twice
    Press(demo, Key::kDown);
    Type(demo, "33");
    Press(demo, Key::kUp);
    Type(demo, "44");
    const demo::CDemoDoc& doc = demo.doc();
    ASSERT_EQ(doc.m_nModifiedRows, 3);
    EXPECT_EQ(doc.m_ModifiedRows[1], 0);
    EXPECT_EQ(doc.m_ModifiedRows[2], 16);
    EXPECT_EQ(doc.m_ModifiedRows[3], 0);

    // Rows edited before Esc stay listed for a later write.
    Press(demo, Key::kEscape);
    demo.Command(demo::cmd::kWriteCard);
    EXPECT_EQ(demo.doc().m_nModifiedRows, 3);
}

}  // namespace
}  // namespace demo_test
