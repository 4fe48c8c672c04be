// SPDX-License-Identifier: MIT
// "Read Card": the card's bytes in the dump cells, coloured by area and
// protection, the page dialog of the paged families, and the reports.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "demo/res/command_ids.h"
#include "demo/res/dialog_templates.h"
#include "demo/view/colors.h"
#include "sim/card_24c.h"
#include "sim/card_45db041.h"
#include "sim/card_sle4428.h"
#include "sim/card_sle4442.h"
#include "tests/demo/demo_harness.h"
#include "tests/demo/library_log.h"

namespace demo_test {
namespace {

namespace color = demo::color;

std::string Hex(std::uint8_t byte) {
    char text[3];
    std::snprintf(text, sizeof text, "%02x", byte);
    return text;
}

// Page byte i shows `byte` in both panes in `colour`.
void ExpectCell(const DemoHarness& demo, int i, std::uint8_t byte, demo::Rgb colour) {
    const RecordingUi::Text* hex = demo.HexCell(i);
    const RecordingUi::Text* chr = demo.CharCell(i);
    ASSERT_TRUE(hex && chr) << "byte " << i;
    EXPECT_EQ(hex->text, Hex(byte)) << "byte " << i;
    EXPECT_EQ(chr->text, byte ? std::string(1, static_cast<char>(byte)) : std::string()) << i;
    EXPECT_EQ(hex->fg, colour) << "byte " << i;
    EXPECT_EQ(chr->fg, colour) << "byte " << i;
    EXPECT_EQ(hex->bg, color::kNavy);
}

void ExpectBlank(const DemoHarness& demo, int i) {
    EXPECT_EQ(demo.HexCell(i)->text, "000") << "byte " << i;
    EXPECT_EQ(demo.HexCell(i)->fg, color::kNavy) << "byte " << i;
    EXPECT_EQ(demo.CharCell(i)->fg, color::kNavy) << "byte " << i;
}

TEST(ReadCardTest, Sle4442BytesAreColouredByTheirProtection) {
    DemoHarness demo("sle4442");
    auto& card = demo.CardAs<sim::Sle4442Card>();
    card.memory.protection = {0xF0, 0xFF, 0xFF, 0xFF};  // bytes 0 to 3 protected
    card.memory.main[40] = 'A';
    demo.Start();
    const int beeps = demo.ui.beeps;
    demo.Command(demo::cmd::kReadCard);

    EXPECT_EQ(demo.Status(1), "");
    EXPECT_EQ(demo.Status(2), "Read Succeed");
    EXPECT_EQ(demo.ui.beeps, beeps + 4);
    EXPECT_EQ(demo.state().m_nReadState, 2);
    EXPECT_EQ(demo.state().m_bImageShown, 1);
    EXPECT_EQ(demo.PageCount(), "1");
    for (int i = 0; i < 4; ++i) ExpectCell(demo, i, card.memory.main[i], color::kRed);
    for (int i = 4; i < 32; ++i) ExpectCell(demo, i, card.memory.main[i], color::kYellow);
    for (int i = 32; i < 256; ++i) ExpectCell(demo, i, card.memory.main[i], color::kWhite);
    EXPECT_EQ(demo.CharCell(40)->text, "A");
}

TEST(ReadCardTest, AZeroByteShowsAsDigitsAndNoCharacter) {
    DemoHarness demo("sle4442");
    demo.CardAs<sim::Sle4442Card>().memory.main[9] = 0;
    demo.Start();
    demo.Command(demo::cmd::kReadCard);
    EXPECT_EQ(demo.HexCell(9)->text, "00");
    EXPECT_EQ(demo.ui.VisibleAt(demo::screen::CharCellX(9), demo::screen::CellY(9)), "");
}

TEST(ReadCardTest, Sle4428ShowsFourPagesWithProtectedBytesRed) {
    DemoHarness demo("sle4428");
    auto& card = demo.CardAs<sim::Sle4428Card>();
    demo.Start();
    demo.Command(demo::cmd::kReadCard);
    EXPECT_EQ(demo.Status(2), "Read Succeed");
    EXPECT_EQ(demo.PageCount(), "4");
    for (int i = 0; i < 256; ++i) {
        ExpectCell(demo, i, card.memory.main[i],
                   card.memory.writable[i] ? color::kYellow : color::kRed);
    }
    // The code bytes read as zeros until the code is presented.
    for (int i = 0; i < 1022; ++i) ASSERT_EQ(demo.doc().Byte(i), card.memory.main[i]) << i;
    EXPECT_EQ(demo.doc().m_HexCells[1022], std::string("00"));
}

TEST(ReadCardTest, A24C01AFillsEightRowsAndLeavesTheRestNavy) {
    DemoHarness demo("24c01");
    auto& chip = demo.CardAs<sim::Eeprom24CCard>();
    demo.Start();
    demo.Command(demo::cmd::kReadCard);
    EXPECT_EQ(demo.PageCount(), "1");
    for (int i = 0; i < 128; ++i) ExpectCell(demo, i, chip.memory()[i], color::kWhite);
    for (int i = 128; i < 256; ++i) ExpectBlank(demo, i);
}

TEST(ReadCardTest, A24C64IsReadWhole) {
    DemoHarness demo("24c64");
    auto& chip = demo.CardAs<sim::Eeprom24CCard>();
    demo.Start();
    demo.Command(demo::cmd::kReadCard);
    EXPECT_EQ(demo.PageCount(), "32");
    for (int i = 0; i < 8192; ++i) ASSERT_EQ(demo.doc().Byte(i), chip.memory()[i]) << i;
    EXPECT_EQ(demo.doc().m_HexCells[8191], Hex(chip.memory()[8191]));
}

TEST(ReadCardTest, ASizeTheCardDoesNotHaveIsAReadError) {
    DemoHarness demo("24c02");
    demo.Start();
    demo.Command(demo::cmd::k24C16);
    EXPECT_EQ(demo.Status(2), "Set Succeed");
    demo.Command(demo::cmd::kReadCard);
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0].text, "Read Error!");
    EXPECT_EQ(demo.Status(1), "Read Error");
    EXPECT_EQ(demo.Status(2), "Unknow Error");
    EXPECT_EQ(demo.state().m_nReadState, 4);
}

TEST(ReadCardTest, WithoutACardTheReadSaysNoCardInsert) {
    DemoHarness demo("none");
    demo.Start();
    demo.Command(demo::cmd::kSle4442);
    EXPECT_EQ(demo.Status(2), "Set Error") << "the presence check finds no card";
    demo.state().m_bImageShown = 1;
    const int beeps = demo.ui.beeps;
    demo.Command(demo::cmd::kReadCard);
    EXPECT_EQ(demo.Status(1), "Read Error");
    EXPECT_EQ(demo.Status(2), "No Card Insert");
    EXPECT_EQ(demo.state().m_nReadState, 1);
    EXPECT_EQ(demo.state().m_bImageShown, 1);
    EXPECT_EQ(demo.ui.beeps, beeps + 4);
    EXPECT_TRUE(demo.ui.messages.empty());
    ExpectBlank(demo, 0);
}

TEST(ReadCardTest, A45D041PageIsChosenInTheDialog) {
    DemoHarness demo("45db041");
    auto& flash = demo.CardAs<sim::Flash45DB041Card>();
    demo.Start();
    demo.ui.ScriptDialog({{{{demo::page_dlg::kPage, "5"}}}});
    demo.Command(demo::cmd::kReadCard);
    ASSERT_EQ(demo.ui.dialogs.size(), 1u);
    EXPECT_EQ(demo.ui.dialogs[0].template_id, 113);
    EXPECT_EQ(demo.ui.dialogs[0].title, "input page");
    EXPECT_EQ(demo.ui.dialogs[0].fields[demo::page_dlg::kPage], "0");
    EXPECT_EQ(demo.ui.dialogs[0].fields[demo::page_dlg::kRange], "(0-2047):");
    EXPECT_EQ(demo.state().m_nZone, 5);
    EXPECT_EQ(demo.PageCount(), "2");
    for (int i = 0; i < 256; ++i) ExpectCell(demo, i, flash.page(5)[i], color::kWhite);
}

TEST(ReadCardTest, ThePageDialogRefusesWhatIsNotAnIntegerInRange) {
    DemoHarness demo("45db041");
    demo.Start();
    LibraryLog log;
    demo.ui.ScriptDialog({{{{demo::page_dlg::kPage, "abc"}}},
                          {{{demo::page_dlg::kPage, "3000"}}},
                          {{{demo::page_dlg::kPage, "-1"}}}});
    demo.Command(demo::cmd::kReadCard);
    ASSERT_EQ(demo.ui.messages.size(), 3u);
    EXPECT_EQ(demo.ui.messages[0].text, "Please enter an integer.");
    EXPECT_EQ(demo.ui.messages[1].text, "Please enter an integer between 0 and 2047.");
    EXPECT_EQ(demo.ui.messages[2].text, "Please enter an integer between 0 and 2047.");
    // Closed without "ok": nothing is read.
    EXPECT_EQ(log.Count("IC_DirectRead"), 0);
    EXPECT_EQ(demo.Status(2), "Test Succeed");
}

TEST(ReadCardTest, At88sc1608ZoneAboveEightReadsTheConfigurationZone) {
    DemoHarness demo("none");
    demo.Start();
    demo.Command(demo::cmd::kAt88sc1608);
    LibraryLog log;
    demo.ui.ScriptDialog({{{{demo::page_dlg::kPage, "9"}}}});
    demo.Command(demo::cmd::kReadCard);
    EXPECT_EQ(demo.ui.dialogs.back().fields[demo::page_dlg::kRange],
              "(0-8)8 control area\n     0-7data area");
    EXPECT_EQ(demo.state().m_nZone, 8);
    EXPECT_EQ(log.Count("IC_SetUserZone"), 0);
    EXPECT_EQ(demo.state().m_nCardSize, 128);
    EXPECT_EQ(demo.PageCount(), "1");
}

TEST(ReadCardTest, At88sc1608UserZoneIsSelectedFirst) {
    DemoHarness demo("sle4442");
    demo.Start();
    demo.Command(demo::cmd::kAt88sc1608);
    LibraryLog log;
    demo.ui.ScriptDialog({{{{demo::page_dlg::kPage, "3"}}}});
    demo.Command(demo::cmd::kReadCard);
    EXPECT_EQ(log.Count("IC_SetUserZone"), 1);
    EXPECT_EQ(log.Count("IC_ReadUserZone"), 1);
    EXPECT_EQ(demo.state().m_nCardSize, 256);
    // This reader has no such cards: both calls fail and say so.
    ASSERT_EQ(demo.ui.messages.size(), 2u);
    EXPECT_EQ(demo.ui.messages[0].text, "IC_SetUserZone is fail.!");
    EXPECT_EQ(demo.ui.messages[1].text, "Read Error!");
    EXPECT_EQ(demo.Status(2), "Unknow Error");
}

TEST(ReadCardTest, Ssf1101PageIsLimitedTo511) {
    DemoHarness demo("sle4442");
    demo.Start();
    demo.Command(demo::cmd::kSsf1101);
    demo.ui.ScriptDialog({{{{demo::page_dlg::kPage, "600"}}}});
    demo.Command(demo::cmd::kReadCard);
    EXPECT_EQ(demo.ui.dialogs.back().fields[demo::page_dlg::kRange], "(0-511):");
    EXPECT_EQ(demo.state().m_nSsfPage, 511);
}

TEST(ReadCardTest, ACancelledPageDialogReadsNothing) {
    DemoHarness demo("45db041");
    demo.Start();
    demo.state().m_bEditMode = 1;
    LibraryLog log;
    const int beeps = demo.ui.beeps;
    demo.Command(demo::cmd::kReadCard);
    EXPECT_EQ(log.Count("IC_DirectRead"), 0);
    EXPECT_EQ(demo.state().m_bEditMode, 0);
    EXPECT_EQ(demo.ui.beeps, beeps);
}

TEST(ReadCardTest, AReadWithoutCardTypeIsNotTakenForTheLastImage) {
    DemoHarness demo("sle4442");
    demo.Start();
    demo.Command(demo::cmd::kReadCard);
    ASSERT_EQ(demo.state().m_nReadState, 2);
    {
        LibraryLog log;
        log.Fail("IC_InitType", 0x6109);
        demo.Command(demo::cmd::kSam);
    }
    ASSERT_EQ(demo.state().m_nCardType, -1);
    demo.Command(demo::cmd::kReadCard);
    EXPECT_EQ(demo.Status(1), "Read Error");
    EXPECT_EQ(demo.Status(2), "Unknow Error");
}

}  // namespace
}  // namespace demo_test
