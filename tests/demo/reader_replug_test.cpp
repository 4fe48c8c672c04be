// SPDX-License-Identifier: MIT
// A reader pulled out and plugged in again, and the port label among several
// readers.
#include <gtest/gtest.h>

#include <cstdio>

#include "demo/res/command_ids.h"
#include "tests/demo/demo_harness.h"
#include "tests/demo/library_log.h"

namespace demo_test {
namespace {

using demo::cmd::kAutoTest;
using demo::cmd::kReadCard;

TEST(ReplugTest, TheFirstCommandAfterTheReaderIsBackOpensItOnceAndSucceeds) {
    DemoHarness demo("sle4442");
    demo.Start();
    demo.host.Unplug();
    LibraryLog log;
    demo.Command(kReadCard);
    demo.Command(kReadCard);
    EXPECT_EQ(demo.Status(2), "Unknow Comm") << "not back: the failure of before";
    EXPECT_EQ(log.Count("IC_InitComm"), 1) << "one attempt per command once the failure is seen";

    demo.host.Replug();
    demo.Command(kReadCard);
    demo.Command(kReadCard);
    EXPECT_EQ(demo.Status(2), "Read Succeed");
    EXPECT_EQ(log.Count("IC_InitComm"), 2) << "opened again once";
    EXPECT_TRUE(demo.ui.messages.empty());
    EXPECT_EQ(demo.PortLabel(), "USB ");
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

// A library that lists `attached` readers, the first `held` of them open in
// another program; the others open the simulated reader.
struct Listing {
    static inline int attached = 0;
    static inline int held = 0;
    static int16_t List(VexaReaderInfo* readers, int16_t capacity) {
        for (int i = 0; i < attached && i < capacity; ++i) {
            std::snprintf(readers[i].path, sizeof readers[i].path, "sim:%d", i);
            std::snprintf(readers[i].serial, sizeof readers[i].serial, "SIM%d", i);
        }
        return static_cast<int16_t>(attached);
    }
    static int32_t Open(int32_t port, const char* path) {
        int place = 0;
        std::sscanf(path, "sim:%d", &place);
        return place < held ? VEXA_ERR_OPEN_PORT : IC_InitComm(port);
    }
};

TEST(PortLabelTest, NumbersTheReaderHeldAmongSeveral) {
    struct Case {
        int attached, held;
        bool lists;
        const char* label;
    } cases[] = {{1, 0, true, "USB "}, {3, 1, true, "USB2"}, {3, 0, false, "USB "}};
    for (const Case& c : cases) {
        DemoHarness demo("sle4442");
        Listing::attached = c.attached;
        Listing::held = c.held;
        if (c.lists) {
            demo::Lib().IC_ListReaders = Listing::List;
            demo::Lib().IC_InitCommPath = Listing::Open;
        }
        demo.Start();
        EXPECT_EQ(demo.PortLabel(), c.label) << c.attached << " readers, " << c.held << " held";
        Listing::held = 0;
        demo.Command(demo::cmd::kUsb);
        EXPECT_EQ(demo.PortLabel(), c.label) << "opening again keeps the same reader";
        demo::Lib().IC_ListReaders = nullptr;
        demo::Lib().IC_InitCommPath = nullptr;
    }
}

}  // namespace
}  // namespace demo_test
