// The simulated CPU card: reset, its ISO 7816-4 responder, and T=1 framing.
#include <gtest/gtest.h>

#include <vector>

#include "sim/card_cpu.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kReset = 0xA3;
constexpr std::uint8_t kApdu = 0xA4;

const Bytes kSelectEf{0x00, 0xA4, 0x00, 0x00, 0x02, 0x00, 0x15};
const Bytes kRightPin{0x00, 0x20, 0x00, 0x00, 0x04, 0x31, 0x32, 0x33, 0x34};
const Bytes kWrongPin{0x00, 0x20, 0x00, 0x00, 0x04, 0x31, 0x32, 0x33, 0x35};

Bytes WithLrc(Bytes block) {
    std::uint8_t lrc = 0;
    for (const std::uint8_t b : block) lrc ^= b;
    block.push_back(lrc);
    return block;
}

Bytes IBlock(std::uint8_t pcb, const Bytes& inf) {
    Bytes block{0x00, pcb, static_cast<std::uint8_t>(inf.size())};
    block.insert(block.end(), inf.begin(), inf.end());
    return WithLrc(block);
}

class CpuCardModel : public ::testing::Test {
  protected:
    sim::Reply Send(std::uint8_t code, const Bytes& data = {}) {
        return card.Handle({0x00, code, data});
    }
    // Resets the card and returns the ATR.
    Bytes Reset() {
        const sim::Reply r = Send(kReset);
        EXPECT_EQ(r.code, kReset);
        return r.data;
    }
    // Response data and status word of a T=0 command.
    Bytes Apdu(const Bytes& body) {
        const sim::Reply r = Send(kApdu, body);
        EXPECT_EQ(r.code, kApdu);
        return r.data;
    }

    sim::CpuCard card;
};

}  // namespace

TEST_F(CpuCardModel, AnswersApdusOnlyAfterAResetAndUntilPowerDown) {
    EXPECT_EQ(Send(kApdu, {0x00, 0x84, 0x00, 0x00, 0x08}).data, (Bytes{0x61, 0xD4}));
    EXPECT_EQ(Reset(), sim::CpuT0Profile().atr);
    EXPECT_EQ(Apdu({0x00, 0x84, 0x00, 0x00, 0x08}).size(), 10u);
    card.PowerDown();
    EXPECT_EQ(Send(kApdu, {0x00, 0x84, 0x00, 0x00, 0x08}).data, (Bytes{0x61, 0xD4}));
    // the module-card codes reach the same card
    EXPECT_EQ(Send(0xA8).data, sim::CpuT0Profile().atr);
    EXPECT_EQ(Send(0xA9, {0x00, 0x84, 0x00, 0x00, 0x08}).code, 0xA9);
    // memory-card commands get no sensible answer
    EXPECT_EQ(Send(0xB0, {0x00, 0x00, 0x10}).data, (Bytes{0x61, 0xD8}));
}

TEST_F(CpuCardModel, GivesFreshEightByteChallenges) {
    Reset();
    const Bytes first = Apdu({0x00, 0x84, 0x00, 0x00, 0x08});
    const Bytes second = Apdu({0x00, 0x84, 0x00, 0x00, 0x08});
    ASSERT_EQ(first.size(), 10u);
    EXPECT_EQ(Bytes(first.end() - 2, first.end()), (Bytes{0x90, 0x00}));
    EXPECT_NE(first, second);
    EXPECT_EQ(Apdu({0x00, 0x84, 0x00, 0x00, 0x04}), (Bytes{0x6C, 0x08}));
}

TEST_F(CpuCardModel, SelectsAndReadsTheEf) {
    Reset();
    EXPECT_EQ(Apdu({0x00, 0xB0, 0x00, 0x00, 0x04}), (Bytes{0x69, 0x86}));  // nothing selected
    EXPECT_EQ(Apdu({0x00, 0xA4, 0x00, 0x00, 0x02, 0x12, 0x34}), (Bytes{0x6A, 0x82}));
    EXPECT_EQ(Apdu({0x00, 0xA4, 0x00, 0x00, 0x02, 0x3F, 0x00}), (Bytes{0x90, 0x00}));
    EXPECT_EQ(Apdu(kSelectEf), (Bytes{0x90, 0x00}));
    EXPECT_EQ(Apdu({0x00, 0xB0, 0x00, 0x1E, 0x02}), (Bytes{0xFE, 0xFF, 0x90, 0x00}));
    EXPECT_EQ(Apdu({0x00, 0xB0, 0x00, 0x1E, 0x04}), (Bytes{0x6C, 0x02}));  // runs past the end
    EXPECT_EQ(Apdu({0x00, 0xB0, 0x00, 0x20, 0x01}), (Bytes{0x6B, 0x00}));
    // selecting the MF leaves no EF to read
    Apdu({0x00, 0xA4, 0x00, 0x00, 0x02, 0x3F, 0x00});
    EXPECT_EQ(Apdu({0x00, 0xB0, 0x00, 0x00, 0x01}), (Bytes{0x69, 0x86}));
}

TEST_F(CpuCardModel, UpdateNeedsThePinUntilPowerDown) {
    Reset();
    Apdu(kSelectEf);
    const Bytes update{0x00, 0xD6, 0x00, 0x01, 0x02, 0xAB, 0xCD};
    EXPECT_EQ(Apdu(update), (Bytes{0x69, 0x82}));
    EXPECT_EQ(Apdu(kRightPin), (Bytes{0x90, 0x00}));
    EXPECT_EQ(Apdu(update), (Bytes{0x90, 0x00}));
    EXPECT_EQ(card.os().ef()[1], 0xAB);
    EXPECT_EQ(card.os().ef()[2], 0xCD);
    card.PowerDown();
    Reset();
    Apdu(kSelectEf);
    EXPECT_EQ(Apdu(update), (Bytes{0x69, 0x82}));
}

TEST_F(CpuCardModel, WrongPinsCountDownToBlocked) {
    Reset();
    EXPECT_EQ(Apdu({0x00, 0x20, 0x00, 0x00, 0x00}), (Bytes{0x63, 0xC3}));
    EXPECT_EQ(Apdu(kWrongPin), (Bytes{0x63, 0xC2}));
    EXPECT_EQ(Apdu(kRightPin), (Bytes{0x90, 0x00}));  // restores the tries
    EXPECT_EQ(card.os().tries_left(), 3);
    EXPECT_EQ(Apdu(kWrongPin), (Bytes{0x63, 0xC2}));
    EXPECT_EQ(Apdu(kWrongPin), (Bytes{0x63, 0xC1}));
    EXPECT_EQ(Apdu(kWrongPin), (Bytes{0x63, 0xC0}));
    EXPECT_EQ(Apdu(kRightPin), (Bytes{0x69, 0x83}));
    EXPECT_EQ(Apdu({0x00, 0x20, 0x00, 0x00, 0x00}), (Bytes{0x69, 0x83}));
}

TEST_F(CpuCardModel, RefusesUnknownInstructionsClassesAndLengths) {
    Reset();
    EXPECT_EQ(Apdu({0x00, 0xCA, 0x00, 0x00, 0x00}), (Bytes{0x6D, 0x00}));
    EXPECT_EQ(Apdu({0x80, 0x84, 0x00, 0x00, 0x08}), (Bytes{0x6E, 0x00}));
    EXPECT_EQ(Apdu({0x00, 0xA4, 0x00, 0x00, 0x02, 0x3F}), (Bytes{0x67, 0x00}));  // Lc 2, 1 byte
    EXPECT_EQ(Apdu({0x00, 0x84, 0x00, 0x00}), (Bytes{0x67, 0x00}));              // no P3
}

TEST_F(CpuCardModel, StateSurvivesSaveAndLoad) {
    Reset();
    Apdu(kWrongPin);
    Apdu(kSelectEf);
    sim::CpuCard other;
    other.os().ef()[0] = 0x00;
    ASSERT_TRUE(other.Load(card.Save()));
    EXPECT_EQ(other.os().tries_left(), 2);
    EXPECT_EQ(other.os().ef()[0], 0xE0);
    EXPECT_FALSE(other.Load("24C02\n"));
}

TEST(CpuCardT1, NumbersBlocksFromTheResetAndChecksThem) {
    sim::CpuCard card(sim::CpuT1Profile());
    const Bytes challenge{0x00, 0x84, 0x00, 0x00, 0x08};
    card.Handle({0x00, kReset, {}});
    const auto ask = [&](const Bytes& block) { return card.Handle({0x00, kApdu, block}).data; };

    Bytes answer = ask(IBlock(0x00, challenge));
    ASSERT_EQ(answer.size(), 14u);
    EXPECT_EQ(Bytes(answer.begin(), answer.begin() + 3), (Bytes{0x00, 0x00, 0x0A}));
    EXPECT_EQ(Bytes(answer.end() - 3, answer.end() - 1), (Bytes{0x90, 0x00}));
    EXPECT_EQ(WithLrc(Bytes(answer.begin(), answer.end() - 1)), answer);

    answer = ask(IBlock(0x40, challenge));
    EXPECT_EQ(answer[1], 0x40);
    // out of sequence: R-block naming the N(S) still expected (0)
    EXPECT_EQ(ask(IBlock(0x40, challenge)), (Bytes{0x00, 0x82, 0x00, 0x82}));
    // LRC wrong: R-block with the EDC error
    Bytes corrupt = IBlock(0x00, challenge);
    corrupt.back() ^= 0x01;
    EXPECT_EQ(ask(corrupt), (Bytes{0x00, 0x81, 0x00, 0x81}));
    EXPECT_EQ(ask(IBlock(0x00, challenge))[1], 0x00);
    // a reset starts both sequences again
    card.Handle({0x00, kReset, {}});
    EXPECT_EQ(ask(IBlock(0x40, challenge)), (Bytes{0x00, 0x82, 0x00, 0x82}));
    EXPECT_EQ(ask(IBlock(0x00, challenge))[1], 0x00);
}

TEST(CpuCardT1, ChainsAnswersLongerThanIfsd) {
    sim::CpuCard card(sim::CpuT1Profile());
    card.ifsd = 4;
    card.Handle({0x00, kReset, {}});
    const Bytes answer =
        card.Handle({0x00, kApdu, IBlock(0x00, {0x00, 0x84, 0x00, 0x00, 0x08})}).data;
    ASSERT_EQ(answer.size(), 8u);
    EXPECT_EQ(Bytes(answer.begin(), answer.begin() + 3), (Bytes{0x00, 0x20, 0x04}));
    EXPECT_EQ(WithLrc(Bytes(answer.begin(), answer.end() - 1)), answer);
}
