// The simulated SLE4442 and SLE4428 cards, driven directly with reader
// commands: what lands, what is refused and what survives a power-down.
#include <gtest/gtest.h>

#include <vector>

#include "sim/card_sle4428.h"
#include "sim/card_sle4442.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t k4442 = 0x11;
constexpr std::uint8_t k4428 = 0x12;

struct Answer {
    std::uint8_t code;
    Bytes data;
    bool operator==(const Answer&) const = default;
};

Answer Send(sim::Card& card, std::uint8_t reader_code, std::uint8_t code, const Bytes& data) {
    const sim::Reply r = card.Handle({reader_code, code, data});
    return {r.code, r.data};
}

Answer Echo(std::uint8_t code, Bytes data = {}) {
    return {code, std::move(data)};
}
Answer Refused(std::uint16_t word) {
    return {sim::kRefusalCode,
            {static_cast<std::uint8_t>(word >> 8), static_cast<std::uint8_t>(word)}};
}

Bytes Concat(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// ---- SLE4442 ----

Answer Read4442(sim::Card& c, std::uint8_t at, std::uint8_t n) {
    return Send(c, k4442, 0xB4, {at, n});
}
Answer Write4442(sim::Card& c, std::uint8_t at, const Bytes& data, std::uint8_t code = 0xB5) {
    return Send(c, k4442, code, Concat({at, static_cast<std::uint8_t>(data.size())}, data));
}
Answer Verify4442(sim::Card& c, const Bytes& code) {
    return Send(c, k4442, 0xB6, code);
}
Answer Security4442(sim::Card& c) {
    return Send(c, k4442, 0xB9, {});
}

const Bytes kDefault4442Code{0xFF, 0xFF, 0xFF};
const Bytes kWrong4442Code{0x12, 0x34, 0x56};

TEST(SimSle4442, FreshCardCarriesTheFactoryImageAndProtectsItsHeader) {
    sim::Sle4442Card card;
    EXPECT_EQ(Read4442(card, 0, 8), Echo(0xB4, {0xA2, 0x13, 0x10, 0x91, 0xFF, 0xFF, 0x81, 0x15}));
    EXPECT_EQ(Send(card, k4442, 0xB7, {0x00, 0x04}), Echo(0xB7, {0x00, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Security4442(card), Echo(0xB9, {0x07, 0x00, 0x00, 0x00}));
}

TEST(SimSle4442, ReadsPastTheLastAddressReturnTheFloatingLine) {
    sim::Sle4442Card card;
    card.memory.main[255] = 0x5A;
    EXPECT_EQ(Read4442(card, 255, 3), Echo(0xB4, {0x5A, 0xFF, 0xFF}));
}

TEST(SimSle4442, WritesLandOnlyAfterTheRightCodeAndNeverOnProtectedBytes) {
    sim::Sle4442Card card;
    EXPECT_EQ(Write4442(card, 40, {0x11, 0x22}), Echo(0xB5));  // blind: echoed anyway
    EXPECT_EQ(Read4442(card, 40, 2), Echo(0xB4, {0xFF, 0xFF}));

    ASSERT_EQ(Verify4442(card, kDefault4442Code), Echo(0xB6));
    EXPECT_EQ(Write4442(card, 40, {0x11, 0x22}), Echo(0xB5));
    EXPECT_EQ(Read4442(card, 40, 2), Echo(0xB4, {0x11, 0x22}));

    EXPECT_EQ(Write4442(card, 6, {0x00, 0x00, 0x33}), Echo(0xB5));  // 6, 7 protected; 8 not
    EXPECT_EQ(Read4442(card, 6, 3), Echo(0xB4, {0x81, 0x15, 0x33}));

    card.PowerDown();
    EXPECT_EQ(Write4442(card, 40, {0x99}), Echo(0xB5));
    EXPECT_EQ(Read4442(card, 40, 1), Echo(0xB4, {0x11}));
}

TEST(SimSle4442, EachWrongCodeSpendsOneCounterBitUntilTheCardLocks) {
    sim::Sle4442Card card;
    const std::uint8_t expected[] = {0x03, 0x01, 0x00};
    for (std::uint8_t counter : expected) {
        EXPECT_EQ(Verify4442(card, kWrong4442Code), Refused(sim::kWordWrongCode));
        EXPECT_EQ(Security4442(card).data.at(0), counter);
    }
    EXPECT_EQ(Verify4442(card, kDefault4442Code), Refused(sim::kWordCardLocked));
    EXPECT_FALSE(card.verified());
    EXPECT_EQ(Security4442(card).data.at(0), 0x00);
}

TEST(SimSle4442, TheRightCodeRestoresTheCounterAndShowsTheCode) {
    sim::Sle4442Card card;
    card.memory.security = {0x01, 0xA1, 0xB2, 0xC3};
    ASSERT_EQ(Verify4442(card, {0xA1, 0xB2, 0xC3}), Echo(0xB6));
    EXPECT_EQ(Security4442(card), Echo(0xB9, {0x07, 0xA1, 0xB2, 0xC3}));
    // A later wrong code closes the card again.
    EXPECT_EQ(Verify4442(card, kWrong4442Code), Refused(sim::kWordWrongCode));
    EXPECT_EQ(Security4442(card), Echo(0xB9, {0x03, 0x00, 0x00, 0x00}));
}

TEST(SimSle4442, TheCodeChangesOnlyOnAnOpenedCard) {
    sim::Sle4442Card card;
    EXPECT_EQ(Send(card, k4442, 0xBA, {1, 2, 3}), Echo(0xBA));
    ASSERT_EQ(Verify4442(card, kDefault4442Code), Echo(0xB6));
    EXPECT_EQ(Send(card, k4442, 0xBA, {4, 5, 6}), Echo(0xBA));
    card.PowerDown();
    EXPECT_EQ(Verify4442(card, {4, 5, 6}), Echo(0xB6));
}

TEST(SimSle4442, WriteWithProtectionBurnsTheBitsOfBytesHoldingTheGivenValue) {
    sim::Sle4442Card card;
    EXPECT_EQ(Write4442(card, 8, {0x44}, 0xB8), Echo(0xB8));  // not opened: nothing
    EXPECT_TRUE(card.Writable(8));

    ASSERT_EQ(Verify4442(card, kDefault4442Code), Echo(0xB6));
    EXPECT_EQ(Write4442(card, 8, {0x44, 0x55}, 0xB8), Echo(0xB8));
    EXPECT_EQ(Read4442(card, 8, 2), Echo(0xB4, {0x44, 0x55}));
    EXPECT_EQ(Send(card, k4442, 0xB7, {0x00, 0x04}), Echo(0xB7, {0x00, 0xFC, 0xFF, 0xFF}));

    // Once protected, a byte keeps its value and its bit stays burnt.
    EXPECT_EQ(Write4442(card, 8, {0x66}), Echo(0xB5));
    EXPECT_EQ(Read4442(card, 8, 1), Echo(0xB4, {0x44}));
    EXPECT_FALSE(card.Writable(8));
    // Bytes past 31 have no protection bit.
    EXPECT_EQ(Write4442(card, 32, {0x77}, 0xB8), Echo(0xB8));
    EXPECT_TRUE(card.Writable(32));
}

TEST(SimSle4442, MalformedCommandsAreRefused) {
    sim::Sle4442Card card;
    const Answer error = Refused(sim::kWordCommandError);
    EXPECT_EQ(Send(card, k4442, 0xB4, {0}), error);
    EXPECT_EQ(Send(card, k4442, 0xB5, {0, 2, 0x11}), error);  // one data byte short
    EXPECT_EQ(Verify4442(card, {0xFF, 0xFF}), error);
    EXPECT_EQ(Send(card, k4442, 0xB9, {0}), error);
    EXPECT_EQ(Security4442(card).data.at(0), 0x07);  // no attempt spent
}

// Detection reads two bytes at 6 under each family's protocol: only the
// card's own protocol may show its identifying byte.
TEST(SimSle, OtherFamiliesProtocolsReadTheFloatingLineOrFail) {
    sim::Sle4442Card sle4442;
    sim::Sle4428Card sle4428;
    EXPECT_EQ(Send(sle4442, k4428, 0xBB, {6, 0, 2}), Echo(0xBB, {0xFF, 0xFF}));
    EXPECT_EQ(Send(sle4428, k4442, 0xB4, {6, 2}), Echo(0xB4, {0xFF, 0xFF}));
    EXPECT_EQ(Send(sle4442, 0x13, 0xAE, {0, 0, 0, 0, 2}), Echo(0xAE, {0xFF, 0xFF}));
    EXPECT_EQ(Send(sle4428, 0x13, 0xAF, {0, 0, 0, 0, 1, 0x33}), Refused(sim::kWordCannotRead));
    EXPECT_EQ(Send(sle4442, 0x10, 0xB0, {0, 0, 1}), Refused(sim::kWordCannotRead));
    EXPECT_EQ(Send(sle4442, 0x12, 0xB4, {6, 2}), Refused(sim::kWordCannotRead));
    EXPECT_EQ(Send(sle4442, 0x00, 0xA3, {}), Refused(sim::kWordNoAnswer));
    EXPECT_EQ(Send(sle4428, 0x11, 0xB6, {0xFF, 0xFF, 0xFF}), Refused(sim::kWordCannotRead));
}

TEST(SimSle4442, StateSurvivesSaveAndLoadButVerificationDoesNot) {
    sim::Sle4442Card card;
    card.memory.main[100] = 0x42;
    card.memory.protection = {0x00, 0x0F, 0xFF, 0xFF};
    card.memory.security = {0x03, 0x01, 0x02, 0x03};
    ASSERT_EQ(Verify4442(card, {0x01, 0x02, 0x03}), Echo(0xB6));

    sim::Sle4442Card copy;
    ASSERT_TRUE(copy.Load(card.Save()));
    EXPECT_EQ(copy.memory.main, card.memory.main);
    EXPECT_EQ(copy.memory.protection, card.memory.protection);
    EXPECT_EQ(copy.memory.security, card.memory.security);
    EXPECT_FALSE(copy.verified());
}

TEST(SimSle, ForeignOrBrokenStateIsNotLoaded) {
    sim::Sle4442Card sle4442;
    sim::Sle4428Card sle4428;
    sle4442.memory.main[9] = 0x01;
    EXPECT_FALSE(sle4442.Load(sle4428.Save()));
    EXPECT_FALSE(sle4428.Load(sle4442.Save()));
    std::string broken = sim::Sle4442Card().Save();
    broken.replace(broken.find("SLE4442 security"), 7, "SLE4443");
    EXPECT_FALSE(sle4442.Load(broken));
    EXPECT_EQ(sle4442.memory.main[9], 0x01);
}

// ---- SLE4428 ----

Bytes Address(std::uint16_t at, std::size_t n) {
    return {static_cast<std::uint8_t>(at), static_cast<std::uint8_t>(at >> 8),
            static_cast<std::uint8_t>(n)};
}
Answer Read4428(sim::Card& c, std::uint16_t at, std::size_t n, std::uint8_t code = 0xBB) {
    return Send(c, k4428, code, Address(at, n));
}
Answer Write4428(sim::Card& c, std::uint16_t at, const Bytes& data, std::uint8_t code = 0xBC) {
    return Send(c, k4428, code, Concat(Address(at, data.size()), data));
}
Answer Verify4428(sim::Card& c, const Bytes& code) {
    return Send(c, k4428, 0xBD, code);
}

TEST(SimSle4428, FreshCardIdentifiesItselfAndHidesItsCode) {
    sim::Sle4428Card card;
    EXPECT_EQ(Read4428(card, 6, 2), Echo(0xBB, {0x81, 0x13}));
    EXPECT_EQ(Read4428(card, 1021, 3), Echo(0xBB, {0xFF, 0x00, 0x00}));
    EXPECT_EQ(Read4428(card, 7, 2, 0xBE), Echo(0xBE, {0x13, 0xFF, 0x00, 0x01}));
    ASSERT_EQ(Verify4428(card, {0xFF, 0xFF}), Echo(0xBD));
    EXPECT_EQ(Read4428(card, 1022, 3), Echo(0xBB, {0xFF, 0xFF, 0xFF}));  // 1024: past the end
}

TEST(SimSle4428, WrongCodesCountDownEightAttemptsThenTheCardLocks) {
    sim::Sle4428Card card;
    for (int attempt = 7; attempt >= 0; --attempt) {
        EXPECT_EQ(Verify4428(card, {0x12, 0x34}), Refused(sim::kWordWrongCode));
        EXPECT_EQ(card.memory.main[1021], (1u << attempt) - 1);
    }
    EXPECT_EQ(Verify4428(card, {0xFF, 0xFF}), Refused(sim::kWordCardLocked));
}

TEST(SimSle4428, TheRightCodeRestoresTheCounterAndOpensTheCard) {
    sim::Sle4428Card card;
    card.memory.main[1021] = 0x03;
    EXPECT_EQ(Write4428(card, 300, {0x55}), Echo(0xBC));
    EXPECT_EQ(Read4428(card, 300, 1), Echo(0xBB, {0xFF}));
    ASSERT_EQ(Verify4428(card, {0xFF, 0xFF}), Echo(0xBD));
    EXPECT_EQ(card.memory.main[1021], 0xFF);
    EXPECT_EQ(Write4428(card, 300, {0x55}), Echo(0xBC));
    EXPECT_EQ(Write4428(card, 1021, {0x00, 0xAB, 0xCD}), Echo(0xBC));  // counter: the card's
    EXPECT_EQ(Read4428(card, 1021, 3), Echo(0xBB, {0xFF, 0xAB, 0xCD}));
    EXPECT_EQ(Read4428(card, 300, 1), Echo(0xBB, {0x55}));
    card.PowerDown();
    EXPECT_EQ(Read4428(card, 1022, 2), Echo(0xBB, {0x00, 0x00}));
}

TEST(SimSle4428, WriteWithProtectionLeavesTheByteFixed) {
    sim::Sle4428Card card;
    ASSERT_EQ(Verify4428(card, {0xFF, 0xFF}), Echo(0xBD));
    EXPECT_EQ(Write4428(card, 500, {0x12, 0x34}, 0xBF), Echo(0xBF));
    EXPECT_EQ(Write4428(card, 500, {0x00, 0x00}), Echo(0xBC));
    EXPECT_EQ(Read4428(card, 500, 3, 0xBE), Echo(0xBE, {0x12, 0x34, 0xFF, 0x00, 0x00, 0x01}));
}

TEST(SimSle4428, StateSurvivesSaveAndLoad) {
    sim::Sle4428Card card;
    ASSERT_EQ(Verify4428(card, {0xFF, 0xFF}), Echo(0xBD));
    ASSERT_EQ(Write4428(card, 1000, {0x77}, 0xBF), Echo(0xBF));
    ASSERT_EQ(Write4428(card, 1022, {0x12, 0x34}), Echo(0xBC));
    sim::Sle4428Card copy;
    ASSERT_TRUE(copy.Load(card.Save()));
    EXPECT_EQ(copy.memory.main, card.memory.main);
    EXPECT_EQ(copy.memory.writable, card.memory.writable);
    EXPECT_FALSE(copy.verified());
}

}  // namespace
