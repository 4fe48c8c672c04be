// SPDX-License-Identifier: MIT
// Drawing rules of the card memory view that need no card: pages of the big
// layouts, the caret information and what a repaint keeps.
#include <gtest/gtest.h>

#include <vector>

#include "demo/view/card_types.h"
#include "demo/view/colors.h"
#include "tests/demo/demo_harness.h"
#include "tests/demo/view_state_access.h"

namespace demo_test {
namespace {

namespace color = demo::color;
namespace screen = demo::screen;

// Shows page `page` of a card type as if the card had been read, every byte
// holding its offset's low bits.
void ShowImage(DemoHarness& demo, int card_type, int page) {
    demo::CDemoView& view = demo.view();
    demo_test::StateOf(view).m_nCardType = card_type;
    view.SetCapacity(card_type);
    std::vector<std::uint8_t> bytes(demo_test::StateOf(view).m_nCardSize);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i | 1);
    demo.doc().StoreImage(bytes);
    demo_test::StateOf(view).m_nPage = page;
    demo_test::StateOf(view).m_nReadState = 2;
    demo.ui.Repaint();
}

std::string At(const DemoHarness& demo, screen::Point p) {
    return demo.ui.VisibleAt(p.x, p.y);
}

TEST(ViewPaintTest, TheLastPageOfA1604AShowsItsTestArea) {
    DemoHarness demo("none");
    demo.Start();
    ShowImage(demo, 160, 7);
    EXPECT_EQ(demo.state().m_nPageCount, 8);
    EXPECT_EQ(At(demo, screen::kPageNumber), "8");
    EXPECT_EQ(demo.HexCell(214)->fg, color::kYellow) << "offset 2006, Test Area";
    EXPECT_EQ(demo.HexCell(212)->fg, color::kCyan) << "offset 2004, Area Four";
    EXPECT_EQ(demo.HexCell(215)->text, "000");
    EXPECT_EQ(demo.HexCell(215)->fg, color::kNavy);
}

TEST(ViewPaintTest, The1608ConfigurationZoneHasItsOwnLayout) {
    DemoHarness demo("none");
    demo.Start();
    demo.state().m_nZone = demo::kConfigZone;
    ShowImage(demo, 208, 0);
    EXPECT_EQ(demo.state().m_nCardSize, 128);
    EXPECT_EQ(demo.state().m_nPageCount, 1);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(demo.HexCell(i)->fg, color::kMaroon) << i;
    EXPECT_EQ(demo.HexCell(16)->fg, color::kGreen);
    EXPECT_EQ(demo.HexCell(127)->fg, color::kRed);
    EXPECT_EQ(demo.HexCell(128)->fg, color::kNavy);

    demo.state().m_nZone = 0;
    ShowImage(demo, 208, 0);
    EXPECT_EQ(demo.HexCell(0)->fg, color::kWhite);
    EXPECT_EQ(demo.HexCell(255)->fg, color::kWhite);
}

TEST(ViewPaintTest, CaretInformationNamesTheByteUnderTheCaret) {
    DemoHarness demo("none");
    demo.Start();
    ShowImage(demo, 65, 0);
    demo.state().m_bEditMode = 1;
    demo.state().m_ptCaret = {screen::HexCellX(255) + 9, screen::CellY(255)};
    demo.view().DrawCaretInfo();
    EXPECT_EQ(At(demo, screen::kDecimalOffset), "255");
    EXPECT_EQ(At(demo, screen::kHexOffset), "0FFH");
    EXPECT_EQ(At(demo, screen::kAreaName), "Data Area");
    EXPECT_EQ(demo.ui.TextAt(screen::kDecimalOffset.x, screen::kDecimalOffset.y)->fg, color::kRed);
}

TEST(ViewPaintTest, PagedFamiliesShowThePageOfTheCardBeside) {
    DemoHarness demo("none");
    demo.Start();
    demo.state().m_nZone = 7;
    ShowImage(demo, 161, 0);
    demo.state().m_bEditMode = 1;
    demo.state().m_nCaretPane = 1;
    demo.state().m_ptCaret = {screen::CharCellX(255), screen::CellY(255)};
    demo.view().DrawCaretInfo();
    EXPECT_EQ(At(demo, screen::kDecimalOffset), "255 IN 7");

    demo.state().m_nSsfPage = 300;
    ShowImage(demo, 163, 0);
    demo.state().m_bEditMode = 1;
    demo.view().DrawCaretInfo();
    EXPECT_EQ(At(demo, screen::kDecimalOffset), "255 IN 300");
}

TEST(ViewPaintTest, TypesWithoutLayoutAndThe1604BHexPaneName) {
    DemoHarness demo("none");
    demo.Start();
    demo.state().m_nCardType = 12;
    demo.state().m_bEditMode = 1;
    demo.view().DrawCaretInfo();
    EXPECT_EQ(At(demo, screen::kAreaName), "Undef Area");

    demo.state().m_nCardType = 162;
    demo.state().m_nCaretPane = 0;
    demo.state().m_ptCaret = {screen::kHexLeft, screen::kDumpTop};
    demo.view().DrawCaretInfo();
    EXPECT_EQ(At(demo, screen::kAreaName), " ");
    demo.state().m_nCaretPane = 1;
    demo.state().m_ptCaret = {screen::kCharLeft, screen::kDumpTop};
    demo.view().DrawCaretInfo();
    EXPECT_EQ(At(demo, screen::kAreaName), "Fab Code");
}

TEST(ViewPaintTest, OutsideEditModeOnlyThePageNumberIsShown) {
    DemoHarness demo("none");
    demo.Start();
    ShowImage(demo, 68, 3);
    EXPECT_EQ(At(demo, screen::kDecimalOffset), "");
    EXPECT_EQ(At(demo, screen::kPageNumber), "4");
    EXPECT_EQ(At(demo, screen::kPageCount), "8");
    EXPECT_EQ(At(demo, screen::kPageSeparator), "/");
}

TEST(ViewPaintTest, ARepaintKeepsPageAndStatusLines) {
    DemoHarness demo("none");
    demo.Start();
    ShowImage(demo, 68, 5);
    demo.view().DrawStatus(3, "SPA:Add Pro   ");
    const int draws = demo.ui.BitmapDraws();
    demo.ui.Repaint();
    EXPECT_EQ(demo.ui.BitmapDraws(), draws + 1);
    EXPECT_EQ(demo.state().m_nPage, 5);
    EXPECT_EQ(demo.Status(1), "Test Error");
    EXPECT_EQ(demo.Status(2), "No Card Insert");
    EXPECT_EQ(At(demo, screen::kStatusLine[2]), "SPA:Add Pro   ");
    EXPECT_EQ(demo.TypeName(), "24C16");
    EXPECT_EQ(demo.PortLabel(), "USB ");
}

}  // namespace
}  // namespace demo_test
