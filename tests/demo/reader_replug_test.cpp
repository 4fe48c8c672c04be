// SPDX-License-Identifier: MIT
// A reader pulled out and plugged in again, and the port label among several
// readers.
#include <gtest/gtest.h>

#include "demo/res/command_ids.h"
#include "tests/demo/demo_harness.h"
#include "tests/demo/library_log.h"

namespace demo_test {
namespace {

using demo::cmd::kAutoTest;
using demo::cmd::kReadCard;

// The library's listing of readers, which the program finds by name in a
// shared library that has it.
struct Listing {
    explicit Listing(bool on) {
        if (!on) return;
        demo::Lib().IC_ListReaders = &IC_ListReaders;
        demo::Lib().IC_InitCommPath = &IC_InitCommPath;
    }
    ~Listing() {
        demo::Lib().IC_ListReaders = nullptr;
        demo::Lib().IC_InitCommPath = nullptr;
    }
};

TEST(ReplugTest, TheFirstCommandAfterTheReaderIsBackOpensItOnceAndSucceeds) {
    // Without a listing every command tries to open; with one only when a
    // reader is attached.
    struct Case {
        bool lists;
        int closes_while_away, closes_in_all;
    } cases[] = {{false, 1, 2}, {true, 0, 1}};
    for (const Case& c : cases) {
        DemoHarness demo("sle4442");
        Listing listing(c.lists);
        demo.Start();
        demo.host.Unplug();
        LibraryLog log;
        demo.Command(kReadCard);
        demo.Command(kReadCard);
        EXPECT_EQ(demo.Status(2), "Unknow Comm") << "not back: the failure of before";
        EXPECT_EQ(log.Count("IC_ExitComm"), c.closes_while_away) << "lists: " << c.lists;

        demo.host.Replug();
        demo.Command(kReadCard);
        demo.Command(kReadCard);
        EXPECT_EQ(demo.Status(2), "Read Succeed");
        EXPECT_EQ(log.Count("IC_ExitComm"), c.closes_in_all) << "opened again once";
        EXPECT_TRUE(demo.ui.messages.empty());
        EXPECT_EQ(demo.PortLabel(), "USB ");
    }
}

TEST(ReplugTest, TheCardTestSaysConnectErrorOncePerRunWhileAwayAndFindsTheCardOnceBack) {
    DemoHarness demo("sle4442");
    demo.Start();
    demo.host.Unplug();
    demo.Command(kAutoTest);
    demo.Command(kAutoTest);
    EXPECT_EQ(demo.ui.messages.size(), 2u);
    demo.host.Replug();
    demo.Command(kAutoTest);
    EXPECT_EQ(demo.ui.messages.size(), 2u);
    EXPECT_EQ(demo.Status(2), "Test Succeed");
}

TEST(PortLabelTest, NumbersTheReaderHeldAmongSeveral) {
    struct Case {
        int readers;
        bool first_held_elsewhere, lists;
        const char* label;
    } cases[] = {{1, false, true, "USB "}, {3, true, true, "USB2"}, {3, false, false, "USB "}};
    for (const Case& c : cases) {
        DemoHarness demo("sle4442");
        for (int i = 1; i < c.readers; ++i) demo.host.AddReader();
        Listing listing(c.lists);
        const std::int32_t elsewhere = c.first_held_elsewhere ? IC_InitComm(101) : 0;
        demo.Start();
        EXPECT_EQ(demo.PortLabel(), c.label) << c.readers << " readers";
        IC_ExitComm(elsewhere);
        demo.Command(demo::cmd::kUsb);
        EXPECT_EQ(demo.PortLabel(), c.label) << "opening again keeps the same reader";
    }
}

}  // namespace
}  // namespace demo_test
