// SPDX-License-Identifier: MIT
// Opening and closing readers: enumeration order, exclusive open, ports.
#include "tests/support/sim_fixture.h"

namespace {

using sim::Direction;

TEST(SimConnection, NoReaderAttachedMeansOpenFails) {
    sim::SimHost host;
    sim_test::ScopedHost scoped(host);
    EXPECT_EQ(IC_InitComm(100), vexa::kOpenFailed);
    EXPECT_EQ(vexa::LastError(), vexa::kOpenFailed);
}

TEST(SimConnection, SecondPortReachesTheSecondReaderWhileTheFirstIsHeld) {
    sim::SimHost host;
    host.AddReader();
    host.AddReader();
    sim_test::ScopedHost scoped(host);
    ASSERT_EQ(IC_InitComm(100), 180);
    ASSERT_EQ(IC_InitComm(101), 181);
    EXPECT_EQ(IC_InitComm(102), vexa::kOpenFailed);
    ASSERT_EQ(IC_InitType(181, VEXA_TYPE_SLE4442), 0);
    EXPECT_EQ(host.reader(1).reader_code(), 0x11);
    EXPECT_EQ(host.reader(0).reader_code(), 0x00);
    // Closing the first reader frees it for the next open.
    EXPECT_EQ(IC_ExitComm(180), 0);
    EXPECT_EQ(IC_InitComm(102), 182);
    EXPECT_TRUE(host.IsOpen(0));
}

TEST_F(SimReaderTest, WithTheOnlyReaderHeldAnotherPortCannotOpen) {
    EXPECT_EQ(IC_InitComm(101), vexa::kOpenFailed);
    EXPECT_EQ(IC_InitType(181, VEXA_TYPE_24C), vexa::kSendFailed);
}

TEST_F(SimReaderTest, ReopeningAPortClosesAndOpensTheReaderAgain) {
    const vexa::Handle before = vexa::HandleOf(icdev);
    EXPECT_EQ(IC_InitComm(100), 180);
    EXPECT_NE(vexa::HandleOf(icdev), before);
    EXPECT_EQ(IC_InitType(icdev, VEXA_TYPE_24C), 0);
    // The handle of the first open is gone: the host refuses it.
    std::uint8_t report[vexa::kReportSize] = {};
    EXPECT_FALSE(host.SetFeature(before, report));
}

TEST_F(SimReaderTest, OpeningSendsNothing) {
    EXPECT_EQ(IC_InitComm(100), 180);
    EXPECT_TRUE(Reports().empty());
    EXPECT_TRUE(host.waits.empty());
}

TEST_F(SimReaderTest, PortsOutsideTheUsbRangeFailWithoutClosingAnything) {
    for (std::int32_t port : {99, 0, -1, 200, 0x7FFF, 0x10000 + 99}) {
        vexa::SetLastError(vexa::kOk);
        EXPECT_EQ(IC_InitComm(port), vexa::kOpenFailed) << port;
        EXPECT_EQ(vexa::LastError(), vexa::kOpenFailed) << port;
    }
    EXPECT_EQ(IC_InitType(icdev, VEXA_TYPE_24C), 0);
}

TEST_F(SimReaderTest, OnlyTheLow16BitsOfThePortCount) {
    EXPECT_EQ(IC_InitComm(0x10000 + 101), vexa::kOpenFailed);  // port 101: reader held
    EXPECT_EQ(IC_InitComm(0x10000 + 100), 180);
}

TEST_F(SimReaderTest, OpenVariantsIgnoreTheirSecondArgument) {
    EXPECT_EQ(IC_InitComm_Baud(100, 9600), 180);
    EXPECT_EQ(IC_InitComm_Q(100, -5), 180);
    EXPECT_EQ(IC_InitCommAdvanced(100), 180);
    EXPECT_EQ(IC_InitComm_Baud(99, 9600), vexa::kOpenFailed);
}

TEST_F(SimReaderTest, ClosingTwiceIsHarmlessAndTheDeviceThenRefuses) {
    vexa::SetLastError(vexa::kOpenFailed);
    EXPECT_EQ(IC_ExitComm(icdev), 0);
    EXPECT_EQ(vexa::LastError(), vexa::kOk);
    EXPECT_EQ(IC_ExitComm(icdev), 0);
    EXPECT_FALSE(host.IsOpen(0));
    EXPECT_EQ(IC_InitType(icdev, VEXA_TYPE_24C), vexa::kSendFailed);
    EXPECT_EQ(sim::CountReports(Reports(), Direction::kToReader), 0u);
    for (std::int32_t dev : {-1, 0, 79, 280, INT32_MIN, INT32_MAX}) EXPECT_EQ(IC_ExitComm(dev), 0);
}

}  // namespace
