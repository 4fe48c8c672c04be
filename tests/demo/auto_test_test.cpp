// SPDX-License-Identifier: MIT
// The automatic card test: which family it finds, what it shows, and that
// every probe write leaves the card as it was.
#include <gtest/gtest.h>

#include <string>

#include "demo/res/command_ids.h"
#include "demo/res/menus.h"
#include "sim/card_24c.h"
#include "tests/demo/demo_harness.h"
#include "tests/demo/library_log.h"

namespace demo_test {
namespace {

struct Family {
    const char* card;
    int card_type;
    const char* name;
    int menu_bar;
    const char* page_count;
};

void PrintTo(const Family& f, std::ostream* os) {
    *os << f.card;
}

class AutoTestFindsTheFamily : public ::testing::TestWithParam<Family> {};

TEST_P(AutoTestFindsTheFamily, AtStartUpAndLeavesTheCardUnchanged) {
    const Family& family = GetParam();
    DemoHarness demo(family.card);
    const std::string before = demo.card()->Save();
    LibraryLog log;
    demo.Start();

    EXPECT_EQ(demo.state().m_nCardType, family.card_type);
    EXPECT_EQ(demo.TypeName(), family.name);
    EXPECT_EQ(demo.Status(1), "");
    EXPECT_EQ(demo.Status(2), "Test Succeed");
    EXPECT_EQ(demo.ui.menu, UsbMenuBar(family.menu_bar));
    EXPECT_EQ(demo.PageCount(), family.page_count);
    EXPECT_EQ(demo.ui.beeps, 5);
    EXPECT_TRUE(demo.ui.messages.empty());
    EXPECT_EQ(demo.ui.wait_cursor_depth, 0);
    EXPECT_EQ(demo.state().m_nReadState, 50);
    EXPECT_EQ(demo.card()->Save(), before);

    // "Auto Test" again finds the same: the first run left nothing behind.
    log.calls.clear();
    demo.host.ClearLog();
    demo.Command(demo::cmd::kAutoTest);
    EXPECT_EQ(demo.state().m_nCardType, family.card_type);
    EXPECT_EQ(demo.card()->Save(), before);
    RecordProperty("library_calls", static_cast<int>(log.calls.size()));
    RecordProperty("feature_reports", static_cast<int>(demo.host.log.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Families, AutoTestFindsTheFamily,
    ::testing::Values(Family{"sle4442", 17, "4442", demo::menu::kProtectedMemory, "1"},
                      Family{"sle4428", 5, "4428", demo::menu::kProtectedMemory, "4"},
                      Family{"24c01", 64, "24C01A", demo::menu::kSerialMemory, "1"},
                      Family{"24c02", 65, "24C02", demo::menu::kSerialMemory, "1"},
                      Family{"24c04", 66, "24C04", demo::menu::kSerialMemory, "2"},
                      Family{"24c08", 67, "24C08", demo::menu::kSerialMemory, "4"},
                      Family{"24c16", 68, "24C16", demo::menu::kSerialMemory, "8"},
                      Family{"24c64", 192, "24C64", demo::menu::kSerialMemory, "32"},
                      Family{"45db041", 161, "45D041", demo::menu::kSerialMemory, "2"},
                      Family{"cpu-t0", 12, "CPU T=0", demo::menu::kCpu, "0"},
                      Family{"cpu-t1", 12, "CPU T=1", demo::menu::kCpu, "0"}),
    [](const auto& info) {
        std::string name = info.param.card;
        name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
        return name;
    });

// The probe writes are real: a test that wrote nothing would pass the
// comparisons above for the wrong reason.
TEST(AutoTestTest, SerialEepromProbesWriteAndRestoreWhatTheyOverwrite) {
    DemoHarness demo("24c01");
    auto& chip = demo.CardAs<sim::Eeprom24CCard>();
    chip.memory()[0] = 'x';
    chip.memory()[1] = 'y';
    const std::vector<std::uint8_t> before(chip.memory().begin(), chip.memory().end());
    LibraryLog log;
    demo.Start();
    EXPECT_GE(log.Count("IC_Write"), 5);
    EXPECT_EQ(std::vector<std::uint8_t>(chip.memory().begin(), chip.memory().end()), before);
}

TEST(AutoTestTest, AnUnpluggedReaderShowsOnlyConnectError) {
    DemoHarness demo("sle4442");
    demo.Start();
    const int beeps = demo.ui.beeps;
    demo.host.faults.refuse_next_set = true;
    demo.Command(demo::cmd::kAutoTest);
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0].text, "Connect Error!");
    EXPECT_EQ(demo.ui.messages[0].caption, "Message");
    EXPECT_EQ(demo.ui.messages[0].icon, MsgIcon::kInformation);
    EXPECT_EQ(demo.ui.beeps, beeps);
    EXPECT_EQ(demo.state().m_nCardType, -1);
    EXPECT_EQ(demo.ui.menu, UsbMenuBar(demo::menu::kMain));
    EXPECT_EQ(demo.ui.wait_cursor_depth, 0);
    // The test is over: neither its progress texts nor the last result stay.
    EXPECT_EQ(demo.Status(1), "");
    EXPECT_EQ(demo.Status(2), "");
}

TEST(AutoTestTest, AReaderStatusOtherThanNoCardIsAnUnknownCard) {
    DemoHarness demo("sle4442");
    demo.Start();
    demo.host.faults.answer_word = 0x6109;
    demo.Command(demo::cmd::kAutoTest);
    EXPECT_EQ(demo.Status(1), "Test Error");
    EXPECT_EQ(demo.Status(2), "Invalid Type");
    EXPECT_EQ(demo.TypeName(), "Invalid Type");
    EXPECT_EQ(demo.state().m_nCardType, -1);
    EXPECT_EQ(demo.ui.menu, UsbMenuBar(demo::menu::kMain));
}

TEST(AutoTestTest, AFoundCardThatCannotBeSelectedAgainSaysTestError) {
    DemoHarness demo("sle4442");
    demo.Start();
    LibraryLog log;
    // Seven selections probe up to the SLE4442; the eighth selects it again.
    log.Fail("IC_InitType", 0x6109, 7);
    demo.Command(demo::cmd::kAutoTest);
    EXPECT_EQ(demo.state().m_nCardType, 17);
    EXPECT_EQ(demo.TypeName(), "4442");
    EXPECT_EQ(demo.Status(2), "Test Error");
}

TEST(AutoTestTest, EndsEditModeWithoutAskingAndClearsTheImage) {
    DemoHarness demo("sle4442");
    demo.Start();
    demo.Command(demo::cmd::kReadCard);
    demo.state().m_bEditMode = 1;
    demo.ui.ShowCaret();
    demo.Command(demo::cmd::kAutoTest);
    EXPECT_TRUE(demo.ui.messages.empty());
    EXPECT_EQ(demo.state().m_bEditMode, 0);
    EXPECT_FALSE(demo.ui.caret.shown);
    EXPECT_EQ(demo.state().m_bImageShown, 0);
    EXPECT_EQ(demo.HexCell(0)->fg, demo.HexCell(0)->bg) << "the dump is blank again";
}

}  // namespace
}  // namespace demo_test
