// SPDX-License-Identifier: MIT
// F5 (or Enter) in edit mode: every modified row reaches the card by its
// family's call, with the beeps, messages and re-reads of each outcome; the
// card afterwards holds what was typed, or the view shows what it holds.
#include <gtest/gtest.h>

#include <string>

#include "demo/res/dialog_templates.h"
#include "demo/view/colors.h"
#include "sim/card_24c.h"
#include "sim/card_45db041.h"
#include "sim/card_sle4428.h"
#include "sim/card_sle4442.h"
#include "tests/demo/edit_support.h"
#include "tests/demo/library_log.h"

namespace demo_test {
namespace {

TEST(WriteBackTest, A24C02GetsEveryRowTypedInTheOrderEdited) {
    DemoHarness demo("24c02");
    auto& chip = demo.CardAs<sim::Eeprom24CCard>();
    StartEditing(demo);
    Type(demo, "A5");
    Press(demo, Key::kDown);
    Type(demo, "5a");
    Press(demo, Key::kUp);
    Type(demo, "77");  // byte 2, row 0 again: listed a third time
    LibraryLog log;
    const int beeps = demo.ui.beeps;
    Press(demo, Key::kF5);

    EXPECT_EQ(log.Count("IC_Write"), 3) << "rows 0, 16 and 0";
    EXPECT_EQ(demo.ui.beeps, beeps + 3 + 1);
    EXPECT_TRUE(demo.ui.messages.empty());
    EXPECT_EQ(chip.memory()[0], 0xA5);
    EXPECT_EQ(chip.memory()[2], 0x77);
    EXPECT_EQ(chip.memory()[17], 0x5A);
    EXPECT_EQ(demo.doc().m_nModifiedRows, 0);
    // The row shows the card's byte as a read shows it.
    EXPECT_EQ(demo.HexCell(0)->text, "a5");

    Press(demo, Key::kReturn);  // nothing left to write
    EXPECT_EQ(log.Count("IC_Write"), 3);
    EXPECT_EQ(demo.ui.beeps, beeps + 5);
}

// The last row of each serial EEPROM, whatever its addressing.
TEST(WriteBackTest, EverySerialEepromGetsItsLastRow) {
    for (const char* name : {"24c01", "24c04", "24c08", "24c16", "24c64"}) {
        SCOPED_TRACE(name);
        DemoHarness demo(name);
        auto& chip = demo.CardAs<sim::Eeprom24CCard>();
        StartEditing(demo);
        Type(demo, "a");  // written while the last page is shown
        const int pages = demo.state().m_nPageCount;
        Press(demo, Key::kPageDown, pages - 1);
        Press(demo, Key::kDown, 15);
        Press(demo, Key::kTab);
        Type(demo, "last");
        Press(demo, Key::kF5);
        const std::size_t last_row = chip.memory().size() - 16;
        EXPECT_EQ(
            std::string(chip.memory().begin() + last_row, chip.memory().begin() + last_row + 4),
            "last");
        EXPECT_EQ(demo.HexCell(0)->text, demo.doc().m_HexCells[(pages - 1) * 256]);
        EXPECT_TRUE(demo.ui.messages.empty());
    }
}

TEST(WriteBackTest, AFullListStillWritesEveryEditedRow) {
    DemoHarness demo("24c02");
    auto& chip = demo.CardAs<sim::Eeprom24CCard>();
    StartEditing(demo);
    Press(demo, Key::kTab);
    // Rows 0 and 16 by turns: far more entries than the list holds.
    for (int i = 0; i < demo::CDemoDoc::kModifiedRowCapacity / 2; ++i) {
        Type(demo, "a");
        Press(demo, Key::kLeft);
        Press(demo, Key::kDown);
        Type(demo, "b");
        Press(demo, Key::kLeft);
        Press(demo, Key::kUp);
    }
    Press(demo, Key::kDown, 2);
    Type(demo, "c");
    const demo::CDemoDoc& doc = demo.doc();
    ASSERT_LT(doc.m_nModifiedRows, demo::CDemoDoc::kModifiedRowCapacity);
    EXPECT_EQ(doc.m_ModifiedRows[doc.m_nModifiedRows], 32);

    LibraryLog log;
    Press(demo, Key::kF5);
    EXPECT_EQ(chip.memory()[0], 'a');
    EXPECT_EQ(chip.memory()[16], 'b');
    EXPECT_EQ(chip.memory()[32], 'c');
    EXPECT_EQ(log.Count("IC_Write"), 3) << "rows 0, 16 and 32, each once";
    EXPECT_EQ(demo.doc().m_nModifiedRows, 0);
}

TEST(WriteBackTest, EditsOfAnImageReadAgainAreNeverWritten) {
    DemoHarness demo("24c16");
    StartEditing(demo);
    Type(demo, "00");
    demo.Command(demo::cmd::kReadCard);
    demo.Command(demo::cmd::kWriteCard);
    LibraryLog log;
    Press(demo, Key::kF5);
    EXPECT_EQ(log.Count("IC_Write"), 0);
}

TEST(WriteBackTest, A24C02RowRefusedAsksToReadTheCardAgain) {
    DemoHarness demo("24c02");
    auto& chip = demo.CardAs<sim::Eeprom24CCard>();
    const std::uint8_t before = chip.memory()[0];
    StartEditing(demo);
    Type(demo, "12");
    LibraryLog log;
    log.Fail("IC_Write", VEXA_ERR_WRITE_MISMATCH);
    demo.ui.Answer(MsgAnswer::kYes);
    Press(demo, Key::kF5);
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0], (RecordingUi::Message{"Write Error,Read Card Again?", "Message",
                                                         MsgButtons::kYesNo, MsgIcon::kStop}));
    EXPECT_EQ(log.Count("IC_Read"), 1);
    EXPECT_EQ(demo.doc().Byte(0), before) << "the card's byte is shown again";
    EXPECT_EQ(demo.doc().m_nModifiedRows, 0);

    // No: the typed bytes stay on screen.
    Press(demo, Key::kHome);
    Type(demo, "34");
    Press(demo, Key::kF5);
    EXPECT_EQ(log.Count("IC_Read"), 1);
    EXPECT_EQ(demo.doc().Byte(0), 0x34);
}

TEST(WriteBackTest, A24C01ARowRefusedShowsTheCardAgainAtOnce) {
    DemoHarness demo("24c01");
    auto& chip = demo.CardAs<sim::Eeprom24CCard>();
    StartEditing(demo);
    Type(demo, "12");
    Press(demo, Key::kDown);
    Type(demo, "34");
    LibraryLog log;
    log.Fail("IC_Write", VEXA_ERR_WRITE_MISMATCH);
    const int paints = demo.ui.paints;
    Press(demo, Key::kF5);
    EXPECT_TRUE(demo.ui.messages.empty());
    EXPECT_EQ(log.Count("IC_Read"), 2) << "once per refused row";
    EXPECT_EQ(demo.ui.paints, paints + 2);
    EXPECT_EQ(demo.doc().Byte(0), chip.memory()[0]);
    EXPECT_EQ(demo.doc().m_nModifiedRows, 0);
}

TEST(WriteBackTest, AWriteEndedByAMessageKeepsTheRowsForTheNextTry) {
    DemoHarness demo("24c01");
    auto& chip = demo.CardAs<sim::Eeprom24CCard>();
    StartEditing(demo);
    Type(demo, "12");
    {
        LibraryLog log;
        log.Fail("IC_Write", VEXA_ERR_WRITE_MISMATCH);
        log.Fail("IC_Status", 1);
        Press(demo, Key::kF5);
    }
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0].text, "No Card insert !");
    EXPECT_EQ(demo.ui.messages[0].icon, MsgIcon::kInformation);
    EXPECT_EQ(demo.doc().m_nModifiedRows, 1);

    Press(demo, Key::kHome);
    Type(demo, "34");  // the image is still there to edit
    Press(demo, Key::kF5);
    EXPECT_EQ(chip.memory()[0], 0x34);
    EXPECT_EQ(demo.doc().m_nModifiedRows, 0);
}

TEST(WriteBackTest, AnSle4442WritesOnlyOnceItsCodeWasPresented) {
    DemoHarness demo("sle4442");
    auto& card = demo.CardAs<sim::Sle4442Card>();
    StartEditing(demo);
    Press(demo, Key::kDown, 2);
    Type(demo, "4142");  // bytes 32 and 33
    const std::uint8_t before = card.memory.main[32];
    LibraryLog log;
    Press(demo, Key::kF5);
    // The chip ignored the write: the view shows the card again at once.
    EXPECT_EQ(card.memory.main[32], before);
    EXPECT_EQ(log.Count("IC_Read"), 1) << "the view reads the card again";
    EXPECT_EQ(demo.doc().Byte(32), before);
    EXPECT_EQ(demo.HexCell(32)->text, demo.doc().m_HexCells[32]);
    EXPECT_TRUE(demo.ui.messages.empty());
    EXPECT_EQ(demo.doc().m_nModifiedRows, 0);

    PresentSle4442Code(demo);
    Press(demo, Key::kLeft, 4);
    Type(demo, "4142");
    Press(demo, Key::kF5);
    EXPECT_EQ(card.memory.main[32], 0x41);
    EXPECT_EQ(card.memory.main[33], 0x42);
    EXPECT_EQ(demo.doc().Byte(33), 0x42);
}

TEST(WriteBackTest, AnSle4442ProtectedByteKeepsItsValue) {
    DemoHarness demo("sle4442");
    auto& card = demo.CardAs<sim::Sle4442Card>();
    StartEditing(demo);
    PresentSle4442Code(demo);
    const std::array<std::uint8_t, 16> before = [&] {
        std::array<std::uint8_t, 16> row;
        std::copy_n(card.memory.main.begin(), 16, row.begin());
        return row;
    }();
    Press(demo, Key::kRight, 4);
    Type(demo, "00");  // byte 2: protected since manufacture
    Press(demo, Key::kRight, 10);
    Type(demo, "99");  // byte 8: writable
    Press(demo, Key::kF5);
    EXPECT_EQ(card.memory.main[2], before[2]);
    EXPECT_EQ(demo.doc().Byte(2), before[2]) << "shown as the card holds it";
    EXPECT_EQ(card.memory.main[8], 0x99) << "the writable bytes of the row landed";
    EXPECT_EQ(demo.doc().Byte(8), 0x99);
    EXPECT_TRUE(demo.ui.messages.empty());
}

TEST(WriteBackTest, AnSle4428RowLandsOnceItsCodeWasPresented) {
    DemoHarness demo("sle4428");
    auto& card = demo.CardAs<sim::Sle4428Card>();
    StartEditing(demo);
    PresentSle4428Code(demo);
    Press(demo, Key::kPageDown);
    Press(demo, Key::kDown, 3);
    Type(demo, "be");  // byte 304
    ASSERT_TRUE(card.memory.writable[304]);
    const int beeps = demo.ui.beeps;
    Press(demo, Key::kF5);
    EXPECT_EQ(card.memory.main[304], 0xBE);
    EXPECT_EQ(demo.ui.beeps, beeps + 2);
    EXPECT_TRUE(demo.ui.messages.empty());
}

TEST(WriteBackTest, A45DB041PageIsWrittenWholeOnceAndShownAsTheCardHoldsIt) {
    DemoHarness demo("45db041");
    auto& flash = demo.CardAs<sim::Flash45DB041Card>();
    const std::uint8_t other_page = flash.page(2)[0];
    demo.Start();
    demo.ui.ScriptDialog({{{{demo::page_dlg::kPage, "3"}}}});
    demo.Command(demo::cmd::kReadCard);
    demo.Command(demo::cmd::kWriteCard);
    Type(demo, "0A");
    Press(demo, Key::kPageDown);
    Type(demo, "0b");  // byte 256
    LibraryLog log;
    const int beeps = demo.ui.beeps;
    Press(demo, Key::kF5);
    EXPECT_EQ(log.Count("IC_DirectWrite"), 1) << "one page write covers both rows";
    EXPECT_EQ(log.Count("IC_Write"), 0);
    EXPECT_EQ(demo.ui.beeps, beeps + 4 + 1);
    EXPECT_EQ(flash.page(3)[0], 0x0A);
    EXPECT_EQ(flash.page(3)[256], 0x0B);
    EXPECT_EQ(flash.page(2)[0], other_page) << "only the page read";
    EXPECT_EQ(log.Count("IC_DirectRead"), 1) << "the page is read back";
    EXPECT_EQ(demo.HexCell(0)->text, "0b");
    EXPECT_EQ(demo.doc().m_HexCells[0], std::string("0a"));
    EXPECT_EQ(demo.doc().m_nModifiedRows, 0);
}

TEST(WriteBackTest, A45DB041PageRefusedIsReadAgainAndTheRowTriedAsAnyOther) {
    DemoHarness demo("45db041");
    demo.Start();
    demo.ui.ScriptDialog({{{{demo::page_dlg::kPage, "1"}}}});
    demo.Command(demo::cmd::kReadCard);
    demo.Command(demo::cmd::kWriteCard);
    Type(demo, "12");
    LibraryLog log;
    log.Fail("IC_DirectWrite", 0x6F00);
    Press(demo, Key::kF5);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"IC_DirectWrite", "IC_Status", "IC_DirectRead",
                                                   "IC_Write"}));
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0].text, "Write Error,Read Card Again?");
}

}  // namespace
}  // namespace demo_test
