// SPDX-License-Identifier: MIT
// Start-up and shutdown: connecting to the reader, the window, the first
// automatic card test.
#include <gtest/gtest.h>

#include "demo/res/command_ids.h"
#include "demo/res/menus.h"
#include "tests/demo/demo_harness.h"
#include "tests/demo/library_log.h"

namespace demo_test {
namespace {

TEST(StartupTest, ConnectsOverUsbAndTheFirstPaintRunsTheCardTestOnce) {
    DemoHarness demo("sle4442");
    LibraryLog log;
    demo.Start();
    EXPECT_EQ(demo.state().m_icdev, 180);
    EXPECT_EQ(demo.state().m_nCommPort, 100);
    EXPECT_TRUE(demo.ui.messages.empty());
    EXPECT_EQ(demo.state().m_nCardType, 17);
    EXPECT_EQ(demo.state().m_nReadState, 50);
    EXPECT_EQ(demo.PortLabel(), "USB ");

    const int status_calls = log.Count("IC_Status");
    demo.ui.Repaint();
    demo.ui.Pump();
    EXPECT_EQ(log.Count("IC_Status"), status_calls) << "a later paint must not test again";
}

TEST(StartupTest, AnEmptyReaderKeepsUsbWithoutAMessage) {
    DemoHarness demo("none");
    demo.Start();
    EXPECT_EQ(demo.state().m_nCommPort, 100);
    EXPECT_TRUE(demo.ui.messages.empty());
    EXPECT_EQ(demo.Status(1), "Test Error");
    EXPECT_EQ(demo.Status(2), "No Card Insert");
    EXPECT_EQ(demo.TypeName(), "Invalid Type");
    EXPECT_EQ(demo.ui.menu, UsbMenuBar(demo::menu::kMain));
    EXPECT_EQ(demo.ui.beeps, 5);
}

TEST(StartupTest, WithoutAReaderExactlyOneMessageIsShown) {
    DemoHarness demo("none", /*reader=*/false);
    LibraryLog log;
    demo.Start();
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0].text, "Can't Connect Device! Please Try Again!");
    EXPECT_EQ(demo.ui.messages[0].caption, "Check Error!");
    EXPECT_EQ(demo.ui.messages[0].icon, MsgIcon::kStop);
    EXPECT_EQ(demo.state().m_icdev, 0);
    EXPECT_EQ(demo.state().m_nCommPort, -1);
    // USB first, then the four serial ports.
    EXPECT_EQ(log.Count("IC_InitComm"), 5);
    EXPECT_EQ(demo.ui.beeps, 0);
}

TEST(StartupTest, AReaderThatFailsItsStatusIsClosedAndNotKept) {
    DemoHarness demo("sle4442");
    LibraryLog log;
    log.Fail("IC_Status", VEXA_ERR_RECEIVE);
    demo.Start();
    EXPECT_EQ(demo.state().m_icdev, 0);
    EXPECT_FALSE(demo.host.IsOpen(0));
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0].text, "Can't Connect Device! Please Try Again!");
}

TEST(StartupTest, TheWindowIsFixedInSizeCentredAndCaptioned) {
    DemoHarness demo("none");
    demo.Start();
    EXPECT_FALSE(demo.ui.frame_style.sizing_border);
    EXPECT_FALSE(demo.ui.frame_style.maximize_box);
    EXPECT_EQ(demo.ui.window_size, (demo::Size{651, 415}));
    EXPECT_EQ(demo.ui.window_x, (1024 - 640) / 2);
    EXPECT_EQ(demo.ui.window_y, (768 - 480) / 2);
    EXPECT_EQ(demo.ui.caption, "Tavix Smart Card Reader Demo");

    demo.ui.screen_size = {1920, 1080};
    demo.ui.window_size = {800, 600};
    demo.app->OnSize();
    EXPECT_EQ(demo.ui.window_size, (demo::Size{651, 415}));
    EXPECT_EQ(demo.ui.window_x, 640);
    EXPECT_EQ(demo.ui.window_y, 300);
}

TEST(StartupTest, ClosingTheWindowGivesTheReaderBackOnce) {
    DemoHarness demo("sle4442");
    LibraryLog log;
    demo.Start();
    demo.Command(demo::cmd::kQuit);
    EXPECT_TRUE(demo.ui.destroyed);
    EXPECT_TRUE(demo.ui.messages.empty()) << "Quit application does not ask";
    EXPECT_FALSE(demo.host.IsOpen(0));
    demo.ui.DestroyMainWindow();
    EXPECT_EQ(log.Count("IC_ExitComm"), 1);
}

}  // namespace
}  // namespace demo_test
