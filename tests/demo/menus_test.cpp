// SPDX-License-Identifier: MIT
// The seven menu bars, item by item, and how the view switches them.
#include "demo/res/menus.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "demo/res/accelerators.h"
#include "demo/res/command_ids.h"
#include "tests/demo/demo_harness.h"

namespace demo_test {
namespace {

// One line per item, pop-up items indented, "----" for a separator and the
// command after "=".
void Render(const std::vector<demo::MenuItem>& items, const std::string& indent, std::string& out) {
    for (const demo::MenuItem& item : items) {
        if (item.IsSeparator()) {
            out += indent + "----\n";
        } else if (item.IsPopup()) {
            out += indent + "[" + item.text + "]\n";
            Render(item.items, indent + "  ", out);
        } else {
            out += indent + item.text + "=" + std::to_string(item.command) + "\n";
        }
    }
}

std::string Render(const demo::MenuBar& bar) {
    std::string out;
    Render(bar, "", out);
    return out;
}

std::string SelectCardType(bool with_24c64) {
    return std::string(
               "[Select Card Type]\n  [Hand Select ]\n    24C01A=32771\n    24C02=32772\n") +
           "    24C04=32773\n    24C08=32805\n    24C16=32774\n" +
           (with_24c64 ? "    24C64=32806\n" : "") +
           "    4442=32791\n    4428=32796\n    ----\n    CPU=32828\n  Auto Test=32790\n  ----\n"
           "  Power Down=32807\n  Device Control=32841\n  ----\n  Quit application=57665\n"
           "[Select Comm]\n  COM 1=32784\n  COM 2=32785\n  COM 3=32786\n  COM 4=32787\n  ----\n"
           "  USB=32831\n";
}

const std::string kAbout = "[About]\n  Version=32849\n  About...=57664\n";
const std::string kReadWrite = "Read Card=32778\nWrite Card=32779\n";

TEST(MenusTest, TheMainAndCpuBars) {
    EXPECT_EQ(Render(demo::LoadMenuBar(2)), SelectCardType(true) + kAbout);
    EXPECT_EQ(Render(demo::LoadMenuBar(135)), SelectCardType(true) + "CPU Card=32815\n" + kAbout);
    EXPECT_EQ(Render(demo::LoadMenuBar(137)), SelectCardType(true) + kReadWrite + kAbout);
}

TEST(MenusTest, TheProtectedMemoryBarListsAboutBeforeVersion) {
    EXPECT_EQ(Render(demo::LoadMenuBar(138)),
              SelectCardType(true) + kReadWrite +
                  "[Check Pass]\n  Check Pass=32800\n[Change Pass]\n  Change Pass=32797\n"
                  "[About]\n  About...=57664\n  Version=32849\n");
}

TEST(MenusTest, TheAt88sc102Bar) {
    EXPECT_EQ(Render(demo::LoadMenuBar(139)),
              SelectCardType(true) + kReadWrite +
                  "[Check Pass]\n  Check User Pass=32800\n  ----\n"
                  "  Check Area One Earse Pass=32781\n  Check Area Two Earse Pass=32788\n"
                  "[Change Pass]\n  Change User Pass=32797\n  ----\n"
                  "  Change Area One Earse Pass=32824\n  Change Area Two Earse Pass=32825\n"
                  "Fuse=32783\n" +
                  kAbout);
}

TEST(MenusTest, TheAt88sc1604Bar) {
    EXPECT_EQ(Render(demo::LoadMenuBar(141)),
              SelectCardType(true) + kReadWrite +
                  "[Check Pass]\n  Check User Pass=32800\n  ----\n"
                  "  Check Area 1 Pass=32801\n  Check Area 2 Pass=32802\n"
                  "  Check Area 3 Pass=32803\n  Check Area 4 Pass=32804\n  ----\n"
                  "  Check Area 1 Earse Pass=32781\n  Check Area 2 Earse Pass=32788\n"
                  "  Check Area 3 Earse Pass=32798\n  Check Area 4 Earse Pass=32799\n"
                  "[Change Pass]\n  Change User Pass=32797\n  ----\n"
                  "  Change Area 1 Pass=32820\n  Change Area 2 Pass=32821\n"
                  "  Change Area 3 Pass=32822\n  Change Area 4 Pass=32823\n  ----\n"
                  "  Change Area 1 Earse Pass=32824\n  Change Area 2 Earse Pass=32825\n"
                  "  Change Area 3 Earse Pass=32826\n  Change Area 4 Earse Pass=32827\n"
                  "Fuse=32783\n" +
                  kAbout);
}

TEST(MenusTest, TheAt88sc1608BarHasNo24C64) {
    EXPECT_EQ(Render(demo::LoadMenuBar(143)),
              SelectCardType(false) + kReadWrite +
                  "[Fuse]\n  Fuse State=32832\n  Card Fuse=32833\n"
                  "[Check Pass]\n  Check Read Pass=32834\n  Check Write Pass=32835\n  ----\n"
                  "  Check Safety Pass=32836\n"
                  "[Change Pass]\n  Change Read Pass=32837\n  Change Write Pass=32838\n  ----\n"
                  "  Change Safety Pass=32839\n"
                  "Auth=32840\n" +
                  kAbout);
}

TEST(MenusTest, UsbRemovesDeviceControlAndASerialPortKeepsIt) {
    DemoHarness demo("24c02");
    demo.Start();
    demo.Command(demo::cmd::k24C16);
    const std::string usb = Render(demo.ui.menu);
    EXPECT_EQ(usb.find("Device Control"), std::string::npos);
    EXPECT_NE(usb.find("Read Card"), std::string::npos);

    demo.state().m_nCommPort = 0;
    demo.view().SwitchMenu(68);
    EXPECT_EQ(demo.ui.menu, demo::LoadMenuBar(137));
}

TEST(MenusTest, ASwitchEndsEditModeAndShowsNoImage) {
    DemoHarness demo("sle4442");
    demo.Start();
    demo.Command(demo::cmd::kReadCard);
    ASSERT_EQ(demo.state().m_nReadState, 2);
    demo.state().m_bEditMode = 1;
    demo.ui.ShowCaret();
    demo.view().SwitchMenu(17);
    EXPECT_EQ(demo.state().m_nReadState, 50);
    EXPECT_EQ(demo.state().m_bEditMode, 0);
    EXPECT_FALSE(demo.ui.caret.shown);
    EXPECT_EQ(demo.HexCell(0)->text, "000");
    EXPECT_EQ(demo.HexCell(0)->fg, demo.HexCell(0)->bg);
}

// The commands no menu carries are offered as keys.
TEST(MenusTest, CommandsWithoutAMenuItemHaveAKey) {
    std::set<int> keyed;
    for (const demo::Accelerator& accelerator : demo::Accelerators()) {
        EXPECT_TRUE(keyed.insert(accelerator.command).second) << accelerator.keys;
    }
    const std::set<int> kWithoutMenu = {32775, 32789, 32812, 32813, 32830, 32843,
                                        32829, 32844, 32845, 32792, 32814, 32793};
    EXPECT_EQ(keyed, kWithoutMenu);
}

}  // namespace
}  // namespace demo_test
