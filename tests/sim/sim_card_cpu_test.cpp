// SPDX-License-Identifier: MIT
// The simulated CPU card's own rules: power, the PIN counter, file errors,
// T=1 sequence checking and saved state. The library's scenario tests run the
// ordinary sessions.
#include <gtest/gtest.h>

#include <vector>

#include "sim/card_cpu.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kReset = 0xA3;
constexpr std::uint8_t kApdu = 0xA4;

const Bytes kChallenge{0x00, 0x84, 0x00, 0x00, 0x08};
const Bytes kSelectEf{0x00, 0xA4, 0x00, 0x00, 0x02, 0x00, 0x15};
const Bytes kRightPin{0x00, 0x20, 0x00, 0x00, 0x04, 0x31, 0x32, 0x33, 0x34};
const Bytes kWrongPin{0x00, 0x20, 0x00, 0x00, 0x04, 0x31, 0x32, 0x33, 0x35};

Bytes IBlock(std::uint8_t pcb, const Bytes& inf) {
    Bytes block;
    block.reserve(inf.size() + 4);
    block.assign({0x00, pcb, static_cast<std::uint8_t>(inf.size())});
    block.insert(block.end(), inf.begin(), inf.end());
    std::uint8_t lrc = 0;
    for (const std::uint8_t b : block) lrc ^= b;
    block.push_back(lrc);
    return block;
}

class CpuCardModel : public ::testing::Test {
  protected:
    Bytes Send(std::uint8_t code, const Bytes& data = {}) {
        return card.Handle({0x00, code, data}).data;
    }

    sim::CpuCard card;
};

}  // namespace

TEST_F(CpuCardModel, AnswersOnlyBetweenResetAndPowerDown) {
    EXPECT_EQ(Send(kApdu, kChallenge), (Bytes{0x61, 0xD4}));
    EXPECT_EQ(Send(kReset), sim::CpuT0Profile().atr);
    EXPECT_EQ(Send(kApdu, kChallenge).size(), 10u);
    card.PowerDown();
    EXPECT_EQ(Send(kApdu, kChallenge), (Bytes{0x61, 0xD4}));
    EXPECT_EQ(Send(0xA8), sim::CpuT0Profile().atr);                  // the module-card codes too
    EXPECT_EQ(Send(0xB0, {0x00, 0x00, 0x10}), (Bytes{0x61, 0xD8}));  // a memory-card command
}

TEST_F(CpuCardModel, FileErrors) {
    Send(kReset);
    EXPECT_EQ(Send(kApdu, {0x00, 0xB0, 0x00, 0x00, 0x04}), (Bytes{0x69, 0x86}));  // no EF
    EXPECT_EQ(Send(kApdu, {0x00, 0xA4, 0x00, 0x00, 0x02, 0x12, 0x34}), (Bytes{0x6A, 0x82}));
    Send(kApdu, kSelectEf);
    EXPECT_EQ(Send(kApdu, {0x00, 0xB0, 0x00, 0x20, 0x01}), (Bytes{0x6B, 0x00}));
    EXPECT_EQ(Send(kApdu, {0x00, 0xA4, 0x00, 0x00, 0x02, 0x3F}), (Bytes{0x67, 0x00}));
}

TEST_F(CpuCardModel, WrongPinsCountDownToBlockedAndPowerDownForgetsTheRightOne) {
    Send(kReset);
    Send(kApdu, kSelectEf);
    const Bytes update{0x00, 0xD6, 0x00, 0x00, 0x01, 0xAB};
    EXPECT_EQ(Send(kApdu, kWrongPin), (Bytes{0x63, 0xC2}));
    EXPECT_EQ(Send(kApdu, kRightPin), (Bytes{0x90, 0x00}));
    EXPECT_EQ(card.os().tries_left(), 3);
    card.PowerDown();
    Send(kReset);
    Send(kApdu, kSelectEf);
    EXPECT_EQ(Send(kApdu, update), (Bytes{0x69, 0x82}));
    EXPECT_EQ(Send(kApdu, kWrongPin), (Bytes{0x63, 0xC2}));
    EXPECT_EQ(Send(kApdu, kWrongPin), (Bytes{0x63, 0xC1}));
    EXPECT_EQ(Send(kApdu, kWrongPin), (Bytes{0x63, 0xC0}));
    EXPECT_EQ(Send(kApdu, kRightPin), (Bytes{0x69, 0x83}));
    EXPECT_EQ(Send(kApdu, {0x00, 0x20, 0x00, 0x00, 0x00}), (Bytes{0x69, 0x83}));
}

TEST_F(CpuCardModel, StateSurvivesSaveAndLoad) {
    Send(kReset);
    Send(kApdu, kWrongPin);
    sim::CpuCard other;
    other.os().ef()[0] = 0x00;
    ASSERT_TRUE(other.Load(card.Save()));
    EXPECT_EQ(other.os().tries_left(), 2);
    EXPECT_EQ(other.os().ef()[0], 0xE0);
    EXPECT_FALSE(other.Load("24C02\n"));
}

TEST(CpuCardT1, ChecksTheSequenceAndLrcFromTheReset) {
    sim::CpuCard card(sim::CpuT1Profile());
    const auto ask = [&](const Bytes& block) { return card.Handle({0x00, kApdu, block}).data; };
    card.Handle({0x00, kReset, {}});
    EXPECT_EQ(ask(IBlock(0x00, kChallenge))[1], 0x00);
    EXPECT_EQ(ask(IBlock(0x40, kChallenge))[1], 0x40);
    // out of sequence: an R-block naming the N(S) still expected (0)
    EXPECT_EQ(ask(IBlock(0x40, kChallenge)), (Bytes{0x00, 0x82, 0x00, 0x82}));
    Bytes corrupt = IBlock(0x00, kChallenge);
    corrupt.back() ^= 0x01;
    EXPECT_EQ(ask(corrupt), (Bytes{0x00, 0x81, 0x00, 0x81}));
    const Bytes answer = ask(IBlock(0x00, kChallenge));
    EXPECT_EQ(IBlock(answer[1], Bytes(answer.begin() + 3, answer.end() - 1)), answer);
    // a reset starts both sequences again
    card.Handle({0x00, kReset, {}});
    EXPECT_EQ(ask(IBlock(0x40, kChallenge)), (Bytes{0x00, 0x82, 0x00, 0x82}));
}
