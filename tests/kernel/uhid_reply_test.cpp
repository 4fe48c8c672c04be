// SPDX-License-Identifier: MIT
// The virtual reader's side of the kernel test, without a kernel: how report
// requests of the uhid driver reach the simulated firmware and what goes
// back, and the refusals of its control commands.
#include "tests/kernel/uhid_reply.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "sim/card_factory.h"
#include "tests/kernel/virtual_reader.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kRequestId = 0x1234ABCD;

uhid_event SetFeature(const Bytes& frame, std::uint8_t rnum = 0, std::uint16_t size = 65) {
    uhid_event ev{};
    ev.type = UHID_SET_REPORT;
    auto& req = ev.u.set_report;
    req.id = kRequestId;
    req.rnum = rnum;
    req.rtype = UHID_FEATURE_REPORT;
    req.size = size;
    req.data[0] = rnum;
    std::copy(frame.begin(), frame.end(), req.data + 1);
    return ev;
}

uhid_event GetReport(std::uint8_t rtype = UHID_FEATURE_REPORT, std::uint8_t rnum = 0) {
    uhid_event ev{};
    ev.type = UHID_GET_REPORT;
    ev.u.get_report.id = kRequestId + 1;
    ev.u.get_report.rnum = rnum;
    ev.u.get_report.rtype = rtype;
    return ev;
}

Bytes Payload(const uhid_get_report_reply_req& reply, std::size_t n) {
    return Bytes(reply.data, reply.data + n);
}

const Bytes kStatusQuery{0x21, 0xA2, 0x00, 0x83};

class UhidReplyTest : public ::testing::Test {
  protected:
    sim::SimReader firmware;
};

TEST_F(UhidReplyTest, FeatureReportsCarryFramesWithReportNumberZeroFirst) {
    firmware.Insert(sim::MakeCard("sle4442"));
    const auto set = kernel_test::ReplyTo(firmware, SetFeature(kStatusQuery));
    ASSERT_TRUE(set);
    EXPECT_EQ(set->type, UHID_SET_REPORT_REPLY);
    EXPECT_EQ(set->u.set_report_reply.id, kRequestId);
    EXPECT_EQ(set->u.set_report_reply.err, 0);

    const auto get = kernel_test::ReplyTo(firmware, GetReport());
    ASSERT_TRUE(get);
    EXPECT_EQ(get->type, UHID_GET_REPORT_REPLY);
    EXPECT_EQ(get->u.get_report_reply.id, kRequestId + 1);
    EXPECT_EQ(get->u.get_report_reply.err, 0);
    ASSERT_EQ(get->u.get_report_reply.size, 65);
    EXPECT_EQ(Payload(get->u.get_report_reply, 6), (Bytes{0x00, 0x12, 0xA2, 0x01, 0x90, 0x21}));
}

TEST_F(UhidReplyTest, ReportsTheReaderDoesNotHaveAreRefusedWithoutReachingIt) {
    for (const uhid_event& request :
         {SetFeature(kStatusQuery, 1), SetFeature(kStatusQuery, 0, 64),
          GetReport(UHID_INPUT_REPORT), GetReport(UHID_FEATURE_REPORT, 2)}) {
        const auto reply = kernel_test::ReplyTo(firmware, request);
        ASSERT_TRUE(reply);
        const int err = reply->type == UHID_SET_REPORT_REPLY ? reply->u.set_report_reply.err
                                                             : reply->u.get_report_reply.err;
        EXPECT_EQ(err, EIO);
    }
    // No command reached the firmware, so there is no answer to fetch.
    const auto get = kernel_test::ReplyTo(firmware, GetReport());
    ASSERT_TRUE(get);
    EXPECT_EQ(Payload(get->u.get_report_reply, 65), Bytes(65, 0));
}

TEST_F(UhidReplyTest, EventsOtherThanReportRequestsNeedNoAnswer) {
    for (std::uint32_t type : {UHID_START, UHID_STOP, UHID_OPEN, UHID_CLOSE, UHID_OUTPUT}) {
        uhid_event ev{};
        ev.type = type;
        EXPECT_FALSE(kernel_test::IsReportRequest(ev));
        EXPECT_FALSE(kernel_test::ReplyTo(firmware, ev)) << type;
    }
}

TEST(VirtualReaderControl, RefusesWhatItCannotDo) {
    kernel_test::VirtualReader reader;
    EXPECT_EQ(reader.Control("reports"), "ok 0");
    EXPECT_EQ(reader.Control("insert 24c16"), "ok");
    EXPECT_EQ(reader.Control("insert floppy"), "error no card named \"floppy\"");
    EXPECT_EQ(reader.Control("unplug-at 0").rfind("error", 0), 0u);
    EXPECT_EQ(reader.Control("unplug-at many").rfind("error", 0), 0u);
    EXPECT_EQ(reader.Control("eject"), "error unknown command: eject");
    EXPECT_TRUE(reader.Descriptors().empty());
}

}  // namespace
