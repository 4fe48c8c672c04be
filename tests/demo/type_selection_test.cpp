// SPDX-License-Identifier: MIT
// Choosing the card type by hand: the view, the menu bar, the library's
// selection and the report.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "demo/res/command_ids.h"
#include "demo/res/menus.h"
#include "tests/demo/demo_harness.h"
#include "tests/demo/library_log.h"
#include "vexa/link/selection.h"

namespace demo_test {
namespace {

struct Selection {
    int command;
    int card_type;
    const char* name;
    int capacity;
    int library_code;
    int menu_bar;
};

void PrintTo(const Selection& s, std::ostream* os) {
    *os << s.name;
}

class HandSelection : public ::testing::TestWithParam<Selection> {};

TEST_P(HandSelection, ShowsTheTypeAndSelectsItInTheLibrary) {
    const Selection& s = GetParam();
    DemoHarness demo("24c16");
    demo.Start();
    demo.Command(s.command);
    EXPECT_EQ(demo.state().m_nCardType, s.card_type);
    EXPECT_EQ(demo.TypeName(), s.name);
    EXPECT_EQ(demo.state().m_nCardSize, s.capacity);
    EXPECT_EQ(demo.PageCount(), std::to_string((s.capacity + 255) / 256));
    EXPECT_EQ(demo.state().m_nPage, 0);
    EXPECT_EQ(demo.ui.menu, UsbMenuBar(s.menu_bar));
    EXPECT_EQ(vexa::CurrentSelection().card_type, s.library_code);
}

INSTANTIATE_TEST_SUITE_P(Commands, HandSelection,
                         ::testing::Values(Selection{32771, 64, "24C01A", 128, 64, 137},
                                           Selection{32772, 65, "24C02", 256, 64, 137},
                                           Selection{32773, 66, "24C04", 512, 64, 137},
                                           Selection{32805, 67, "24C08", 1024, 64, 137},
                                           Selection{32774, 68, "24C16", 2048, 64, 137},
                                           Selection{32806, 192, "24C64", 8192, 192, 137},
                                           Selection{32791, 17, "4442", 256, 16, 138},
                                           Selection{32796, 5, "4428", 1024, 4, 138},
                                           Selection{32775, 33, "102", 178, 32, 139},
                                           Selection{32789, 160, "1604A", 2007, 160, 141},
                                           Selection{32813, 162, "1604B", 2040, 160, 141},
                                           Selection{32812, 161, "45D041", 264, 65, 137},
                                           Selection{32843, 163, "SSF1101", 1024, 66, 137},
                                           Selection{32830, 208, "1608", 256, 208, 143}),
                         [](const auto& info) { return std::string("Type") + info.param.name; });

TEST(TypeSelectionTest, ThePresenceCheckDecidesForTheTypesThatHaveIt) {
    DemoHarness demo("none");
    demo.Start();
    demo.Command(demo::cmd::kSle4442);
    EXPECT_EQ(demo.Status(2), "Set Error");
    EXPECT_EQ(demo.state().m_nCardType, 17) << "the type is kept even so";
    demo.Command(demo::cmd::k24C02);
    EXPECT_EQ(demo.Status(2), "Set Succeed");
    demo.Command(demo::cmd::k24C01A);
    EXPECT_EQ(demo.Status(2), "Set Error");
    EXPECT_EQ(demo.Status(1), "");
}

TEST(TypeSelectionTest, ARefusedSelectionSaysSetError) {
    DemoHarness demo("24c02");
    demo.Start();
    demo.host.faults.answer_word = 0x6109;
    demo.Command(demo::cmd::k24C08);
    EXPECT_EQ(demo.Status(2), "Set Error");
    EXPECT_EQ(demo.TypeName(), "24C08");
}

TEST(TypeSelectionTest, ASelectionClearsTheShownImage) {
    DemoHarness demo("sle4442");
    demo.Start();
    demo.Command(demo::cmd::kReadCard);
    ASSERT_EQ(demo.state().m_bImageShown, 1);
    demo.Command(demo::cmd::kSle4442);
    EXPECT_EQ(demo.state().m_bImageShown, 0);
    EXPECT_EQ(demo.state().m_nReadState, 50);
    EXPECT_EQ(demo.HexCell(0)->fg, demo.HexCell(0)->bg);
}

TEST(TypeSelectionTest, CpuShowsTheProtocolOfTheReset) {
    DemoHarness demo("cpu-t1");
    demo.Start();
    demo.Command(demo::cmd::k24C02);
    demo.Command(demo::cmd::kCpu);
    EXPECT_EQ(demo.state().m_nCardType, 12);
    EXPECT_EQ(demo.state().m_nCpuProtocol, 1);
    EXPECT_EQ(demo.TypeName(), "CPU T=1");
    EXPECT_EQ(demo.ui.menu, UsbMenuBar(demo::menu::kCpu));
    EXPECT_EQ(demo.Status(2), "") << "the 24C02's \"Set Succeed\" went with its menu";
}

TEST(TypeSelectionTest, CpuWithoutAnswerClearsTheTypeButKeepsTheMenu) {
    DemoHarness demo("24c02");
    demo.Start();
    demo.Command(demo::cmd::kCpu);
    EXPECT_EQ(demo.state().m_nCardType, -1);
    EXPECT_EQ(demo.ui.menu, UsbMenuBar(demo::menu::kCpu));
    EXPECT_TRUE(demo.ui.messages.empty());
    EXPECT_EQ(demo.Status(2), "") << "no \"Test Succeed\" left from the 24C02";
}

TEST(TypeSelectionTest, SamSelectsItsSlot) {
    DemoHarness demo("sam");
    demo.Start();
    demo.Command(demo::cmd::kSam14);
    EXPECT_EQ(demo.state().m_nCardType, 13);
    EXPECT_EQ(vexa::CurrentSelection().card_type, 14);
    EXPECT_EQ(demo.TypeName(), "SAM CARD");
    EXPECT_EQ(demo.ui.menu, UsbMenuBar(demo::menu::kCpu));
    EXPECT_EQ(demo.Status(1), "") << "the auto test's result went with its menu";
    EXPECT_EQ(demo.Status(2), "");
    demo.Command(demo::cmd::kSam);
    EXPECT_EQ(vexa::CurrentSelection().card_type, 13);
    demo.Command(demo::cmd::kSam15);
    EXPECT_EQ(vexa::CurrentSelection().card_type, 15);
}

TEST(TypeSelectionTest, ARefusedSamLeavesTheMenu) {
    DemoHarness demo("sle4442");
    demo.Start();
    LibraryLog log;
    log.Fail("IC_InitType", 0x6109);
    demo.Command(demo::cmd::kSam);
    EXPECT_EQ(demo.state().m_nCardType, -1);
    EXPECT_EQ(demo.ui.menu, UsbMenuBar(demo::menu::kProtectedMemory));
}

}  // namespace
}  // namespace demo_test
