// SPDX-License-Identifier: MIT
// The T=1 send sequence number across card resets: a reset starts it again
// at 0 whatever the number of blocks exchanged before, or the card would
// answer the next APDU with an R-block asking for the block it expected.
#include <array>

#include "sim/card_cpu.h"
#include "tests/support/sim_fixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class T1Sequence : public SimReaderTest {
  protected:
    void SetUp() override {
        SimReaderTest::SetUp();
        reader().Insert(std::make_unique<sim::CpuCard>(sim::CpuT1Profile()));
    }
    void Reset() {
        unsigned char len = 0;
        std::array<unsigned char, 255> atr{};
        ASSERT_EQ(IC_CpuReset(icdev, &len, atr.data()), 0);
        ASSERT_EQ(IC_CpuGetProtocol(icdev), 1);
    }
    // GET CHALLENGE: the card's answer and the PCB of the block sent.
    std::pair<Bytes, std::uint8_t> Challenge() {
        const unsigned char apdu[] = {0x00, 0x84, 0x00, 0x00, 0x08};
        unsigned char rlen = 0;
        std::array<unsigned char, 255> answer{};
        EXPECT_EQ(IC_CpuApdu(icdev, sizeof apdu, apdu, &rlen, answer.data()), 0);
        return {Bytes(answer.begin(), answer.begin() + rlen), SentFrames().back()[4]};
    }
};

TEST_F(T1Sequence, ResetAfterAnOddNumberOfBlocksStartsAgainAtZero) {
    for (int blocks : {1, 3}) {
        SCOPED_TRACE(blocks);
        Reset();
        for (int i = 0; i < blocks; ++i) Challenge();
        Reset();
        const auto [answer, pcb] = Challenge();
        EXPECT_EQ(pcb, 0x00);
        ASSERT_EQ(answer.size(), 10u);  // eight random bytes and 90 00, not an R-block
        EXPECT_EQ(Bytes(answer.end() - 2, answer.end()), (Bytes{0x90, 0x00}));
    }
}

}  // namespace
