// SPDX-License-Identifier: MIT
// The shell's commands: ports, version, update, About, help and the ways of
// quitting.
#include <gtest/gtest.h>

#include "demo/res/command_ids.h"
#include "demo/res/dialog_templates.h"
#include "demo/res/menus.h"
#include "sim/card_24c.h"
#include "tests/demo/demo_harness.h"
#include "tests/demo/library_log.h"

namespace demo_test {
namespace {

TEST(PortTest, APortThatCannotBeOpenedBeepsAndTheReaderIsOpenedAgain) {
    DemoHarness demo("sle4442");
    demo.Start();
    const int beeps = demo.ui.beeps;
    demo.Command(demo::cmd::kCom3);
    EXPECT_EQ(demo.ui.beeps, beeps + 1);
    EXPECT_EQ(demo.PortLabel(), "USB ");
    EXPECT_EQ(demo.state().m_nCommPort, 100);
    EXPECT_EQ(demo.state().m_icdev, 180);
    EXPECT_TRUE(demo.host.IsOpen(0));
    EXPECT_EQ(demo.state().m_nCardType, 17) << "card type and menu are not touched";
    EXPECT_EQ(demo.ui.menu, UsbMenuBar(demo::menu::kProtectedMemory));

    demo.Command(demo::cmd::kUsb);
    EXPECT_EQ(demo.ui.beeps, beeps + 1);
    EXPECT_EQ(demo.state().m_icdev, 180);
}

TEST(PortTest, WithoutAReaderNoPortOpensAndNoLabelIsDrawn) {
    DemoHarness demo("none", false);
    demo.Start();
    demo.Command(demo::cmd::kCom1);
    EXPECT_EQ(demo.ui.beeps, 1);
    EXPECT_EQ(demo.state().m_icdev, 0);
    EXPECT_EQ(demo.PortLabel(), "");
}

TEST(PortTest, AFailedCloseChangesNothing) {
    DemoHarness demo("sle4442");
    demo.Start();
    LibraryLog log;
    log.Fail("IC_ExitComm", VEXA_ERR_SEND);
    demo.Command(demo::cmd::kCom2);
    EXPECT_EQ(log.Count("IC_InitComm"), 0);
    EXPECT_EQ(demo.state().m_nCommPort, 100);
}

TEST(VersionTest, ShowsTheVersionAsTheLibraryGivesIt) {
    DemoHarness demo("sle4442");
    demo.Start();
    demo.Command(demo::cmd::kVersion);
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0].text, "1234");
    EXPECT_EQ(demo.ui.messages[0].caption, "Version");
    EXPECT_EQ(demo.ui.messages[0].icon, MsgIcon::kNone);
}

TEST(VersionTest, AFailureIsReportedUnderTheApplicationTitle) {
    DemoHarness demo("sle4442");
    demo.Start();
    demo.host.faults.answer_word = 0x6109;
    demo.Command(demo::cmd::kVersion);
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0].text, "Get Version Error!");
    EXPECT_EQ(demo.ui.messages[0].caption, "Mx450");
}

TEST(AboutTest, ShowsDialog100WithTheProgramsVersion) {
    DemoHarness demo("none");
    demo.Start();
    demo.Command(demo::cmd::kAbout);
    ASSERT_EQ(demo.ui.dialogs.size(), 1u);
    EXPECT_EQ(demo.ui.dialogs[0].template_id, 100);
    EXPECT_EQ(demo.ui.dialogs[0].title, "Velmora Smart Card Reader Demo");
    EXPECT_EQ(demo.ui.dialogs[0].fields[demo::about_dlg::kLine1],
              "Tavix Smart Card Reader Demo   VER 3.0.0.1");
    EXPECT_FALSE(demo.ui.dialogs[0].fields[demo::about_dlg::kLine2].empty());
    EXPECT_EQ(demo.ui.dialogs[0].fields[demo::about_dlg::kLine3], "");
}

TEST(HelpTest, ShowsTheProgramsOwnHelpAndSaysSoWhenItIsMissing) {
    DemoHarness demo("none");
    demo.Start();
    demo.Command(demo::cmd::kHelp);
    EXPECT_EQ(demo.ui.help_files, std::vector<std::string>{"demo-help.html"});
    EXPECT_TRUE(demo.ui.messages.empty());

    demo.ui.help_installed = false;
    demo.Command(demo::cmd::kHelp);
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0].text, "The help file demo-help.html is not installed.");
    EXPECT_EQ(demo.ui.messages[0].icon, MsgIcon::kExclamation);
}

TEST(QuitTest, TheExitAreaAsksFirst) {
    DemoHarness demo("none");
    demo.Start();
    demo.app->OnLButtonDown(300, 200);
    EXPECT_TRUE(demo.ui.messages.empty());
    demo.app->OnLButtonDown(478, 381);
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0], (RecordingUi::Message{"Exit System ?", "Message",
                                                         MsgButtons::kYesNo, MsgIcon::kQuestion}));
    EXPECT_FALSE(demo.ui.destroyed);
    demo.ui.Answer(MsgAnswer::kYes);
    demo.app->OnLButtonDown(629, 424);
    EXPECT_TRUE(demo.ui.destroyed);
}

TEST(QuitTest, EscapeAsksOutsideEditModeAndLeavesEditModeInIt) {
    DemoHarness demo("none");
    demo.Start();
    demo.state().m_bEditMode = 1;
    demo.view().DrawStatus(1, "F5 :Write Data");
    demo.app->OnKeyDown(demo::Key::kEscape);
    EXPECT_TRUE(demo.ui.messages.empty());
    EXPECT_EQ(demo.state().m_bEditMode, 0);
    EXPECT_EQ(demo.Status(1), "");

    demo.ui.Answer(MsgAnswer::kYes);
    demo.app->OnKeyDown(demo::Key::kEscape);
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0].text, "Quit Application?");
    EXPECT_EQ(demo.ui.messages[0].caption, "Warning...");
    EXPECT_TRUE(demo.ui.destroyed);
}

TEST(PowerTest, PowerDownReportsOnlyAFailure) {
    DemoHarness demo("sle4442");
    demo.Start();
    demo.Command(demo::cmd::kPowerDown);
    EXPECT_TRUE(demo.ui.messages.empty());
    demo.host.faults.answer_word = 0x6109;
    demo.Command(demo::cmd::kPowerDown);
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0].text, "PowerDown Error.");
    demo.Command(demo::cmd::kEject);
    EXPECT_EQ(demo.ui.messages.size(), 1u) << "eject is silent";
}

TEST(UpdateTest, AReaderWithoutUpdateKeepsTheCardTypeSelected) {
    DemoHarness demo("sle4442");
    demo.Start();
    demo.Command(demo::cmd::kUpdate);
    EXPECT_TRUE(demo.ui.programs.empty());
    EXPECT_FALSE(demo.ui.destroyed);
    demo.Command(demo::cmd::kReadCard);
    EXPECT_EQ(demo.Status(2), "Read Succeed");
}

TEST(UpdateTest, ADownloadCardStartsTheDownloadProgramAndQuits) {
    DemoHarness demo("24c02");
    demo.CardAs<sim::Eeprom24CCard>().memory()[1] = 'M';
    demo.Start();
    LibraryLog log;
    // The update type needs no reader code here; let the read see the card.
    log.Fail("IC_InitType", 0);
    demo.Command(demo::cmd::kUpdate);
    EXPECT_EQ(demo.ui.programs, std::vector<std::string>{"DownLoad.exe"});
    EXPECT_TRUE(demo.ui.destroyed);
}

TEST(UpdateTest, AnUpdateNeedingACardSaysSoAndSelectsTheTypeAgain) {
    DemoHarness demo("24c02");
    demo.Start();
    LibraryLog log;
    log.Fail("IC_InitType", -134);
    demo.Command(demo::cmd::kUpdate);
    ASSERT_GE(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0].text, "Insert one Card into the Reader and then retry...");
    EXPECT_GE(log.Count("IC_InitType"), 2);
}

TEST(UpdateTest, AReaderFailureClosesTheProgram) {
    DemoHarness demo("24c02");
    demo.Start();
    LibraryLog log;
    log.Fail("IC_InitType", VEXA_ERR_SEND);
    demo.Command(demo::cmd::kUpdate);
    ASSERT_GE(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0].text, "Error occur while detecting the Reader...");
    EXPECT_TRUE(demo.ui.destroyed);
}

}  // namespace
}  // namespace demo_test
