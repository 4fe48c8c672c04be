// SPDX-License-Identifier: MIT
// Two simulated readers in one process: listing them, opening one by its
// path, and a T=0 card in one beside a T=1 card in the other, each reader
// keeping its own protocol and block sequence.
#include <algorithm>
#include <memory>
#include <string>

#include "sim/card_cpu.h"
#include "tests/support/sim_fixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kGetChallenge{0x00, 0x84, 0x00, 0x00, 0x08};

class SeveralReaders : public ::testing::Test {
  protected:
    SeveralReaders() {
        host.AddReader().Insert(std::make_unique<sim::CpuCard>(sim::CpuT0Profile()));
        host.AddReader().Insert(std::make_unique<sim::CpuCard>(sim::CpuT1Profile()));
    }
    void Reset(std::int32_t icdev) {
        unsigned char len = 0;
        unsigned char atr[255];
        ASSERT_EQ(IC_CpuReset(icdev, &len, atr), 0);
    }
    // The status word the card answered; EXPECTs the exchange to succeed.
    Bytes Challenge(std::int32_t icdev) {
        unsigned char len = 0;
        unsigned char answer[255];
        EXPECT_EQ(IC_CpuApdu(icdev, 5, kGetChallenge.data(), &len, answer), 0);
        return len < 2 ? Bytes{} : Bytes(answer + len - 2, answer + len);
    }
    // Command frames that reached the reader open as `icdev`.
    std::vector<sim::Frame> FramesTo(std::int32_t icdev) const {
        std::vector<sim::ReportRecord> own;
        std::copy_if(host.log.begin(), host.log.end(), std::back_inserter(own),
                     [&](const sim::ReportRecord& r) { return r.handle == vexa::HandleOf(icdev); });
        return sim::SentFrames(own);
    }

    sim::SimHost host;
    sim_test::ScopedHost scoped{host};
};

// Frame data of GET CHALLENGE: the T=0 body, or inside a T=1 block with `pcb`.
Bytes T0Challenge() {
    Bytes f{0x21, 0xA4, 0x05, 0x00, 0x84, 0x00, 0x00, 0x08};
    f.push_back(0x21 ^ 0xA4 ^ 0x05 ^ 0x84 ^ 0x08);
    return f;
}
Bytes T1Challenge(std::uint8_t pcb) {
    const std::uint8_t lrc = pcb ^ 0x05 ^ 0x84 ^ 0x08;
    Bytes f{0x21, 0xA4, 0x09, 0x00, pcb, 0x05, 0x00, 0x84, 0x00, 0x00, 0x08, lrc};
    f.push_back(0x21 ^ 0xA4 ^ 0x09 ^ pcb ^ 0x05 ^ 0x84 ^ 0x08 ^ lrc);
    return f;
}

}  // namespace

TEST_F(SeveralReaders, EachReaderKeepsTheProtocolAndSequenceOfItsOwnCard) {
    const std::int32_t t0 = IC_InitComm(100);
    const std::int32_t t1 = IC_InitComm(101);
    ASSERT_GT(t0, 0);
    ASSERT_GT(t1, 0);
    Reset(t0);
    Reset(t1);
    EXPECT_EQ(IC_CpuGetProtocol(t0), 1);  // the reader reset last
    host.ClearLog();
    const Bytes ok{0x90, 0x00};
    for (const std::int32_t icdev : {t0, t1, t1, t0, t1}) EXPECT_EQ(Challenge(icdev), ok);
    EXPECT_EQ(FramesTo(t0), (std::vector<Bytes>{T0Challenge(), T0Challenge()}));
    EXPECT_EQ(FramesTo(t1),
              (std::vector<Bytes>{T1Challenge(0x00), T1Challenge(0x40), T1Challenge(0x00)}));

    // Closed and opened again by its path, the T=1 reader has no state of its
    // own and goes on with that of the reader used last: its own.
    EXPECT_EQ(IC_ExitComm(t1), 0);
    const std::int32_t again = IC_InitCommPath(101, "sim:1");
    ASSERT_GT(again, 0);
    EXPECT_EQ(Challenge(again), ok);
    EXPECT_EQ(FramesTo(again).back(), T1Challenge(0x40));
    // Once the T=0 reader has set its protocol, it is the one used last.
    ASSERT_EQ(IC_SetCpuPara(t0, VEXA_TYPE_CPU, 0, 0), 0);
    EXPECT_EQ(IC_CpuGetProtocol(again), 0);
    EXPECT_EQ(Challenge(again), ok);
}

TEST_F(SeveralReaders, ListsAttachedReadersAndOpensOneByItsPath) {
    VexaReaderInfo info[3];
    std::fill_n(reinterpret_cast<char*>(info), sizeof info, 'x');
    EXPECT_EQ(IC_ListReaders(info, 3), 2);
    EXPECT_STREQ(info[1].path, "sim:1");
    EXPECT_STREQ(info[1].serial, "SIM1");
    EXPECT_STREQ(info[1].location, "");
    EXPECT_EQ(info[2].path[0], 'x');
    // Too short an array, or none: only the count.
    EXPECT_EQ(IC_ListReaders(info, 1), 2);
    EXPECT_EQ(IC_ListReaders(nullptr, 5), 2);
    EXPECT_EQ(IC_ListReaders(info, -1), 2);
    EXPECT_EQ(vexa::LastError(), 0);

    const std::string too_long(VEXA_READER_PATH_SIZE, 'a');
    const struct {
        const char* path;
        bool opens;
    } cases[] = {{"sim:1", true},  {"sim:1", false} /* held */, {"sim:2", false}, {"sim:", false},
                 {nullptr, false}, {too_long.c_str(), false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path ? std::string(c.path).substr(0, 8) : "NULL");
        const std::int32_t icdev = IC_InitCommPath(101 + (&c - cases), c.path);
        EXPECT_EQ(icdev > 0, c.opens);
        EXPECT_EQ(vexa::LastError(), c.opens ? 0 : vexa::kOpenFailed);
    }
    EXPECT_TRUE(host.IsOpen(1));
    EXPECT_FALSE(host.IsOpen(0));
    host.Unplug(0);
    EXPECT_EQ(IC_ListReaders(info, 3), 1);
    EXPECT_STREQ(info[0].path, "sim:1");
}
