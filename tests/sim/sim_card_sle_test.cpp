// SPDX-License-Identifier: MIT
// The simulated SLE4442 and SLE4428 cards driven directly with reader
// commands, for what the scenario tests through the library do not reach.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/card_sle4428.h"
#include "sim/card_sle4442.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

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

const Bytes kOpen4442{0xFF, 0xFF, 0xFF};

TEST(SimSle4442, WriteWithProtectionBurnsBitsOnlyOfOpenedBytesHoldingTheValue) {
    sim::Sle4442Card card;
    EXPECT_EQ(Send(card, 0x11, 0xB8, {8, 1, 0x44}), Echo(0xB8));  // not opened: nothing
    EXPECT_TRUE(card.Writable(8));
    ASSERT_EQ(Send(card, 0x11, 0xB6, kOpen4442), Echo(0xB6));
    EXPECT_EQ(Send(card, 0x11, 0xB8, {8, 2, 0x44, 0x55}), Echo(0xB8));
    EXPECT_EQ(Send(card, 0x11, 0xB8, {4, 1, 0x00}), Echo(0xB8));  // protected, value differs
    EXPECT_EQ(Send(card, 0x11, 0xB7, {0, 4}), Echo(0xB7, {0x00, 0xFC, 0xFF, 0xFF}));
    EXPECT_EQ(Send(card, 0x11, 0xB5, {8, 1, 0x66}), Echo(0xB5));  // blind: echoed anyway
    EXPECT_EQ(Send(card, 0x11, 0xB4, {8, 2}), Echo(0xB4, {0x44, 0x55}));
    EXPECT_EQ(Send(card, 0x11, 0xB8, {32, 1, 0x77}), Echo(0xB8));
    EXPECT_TRUE(card.Writable(32));  // no protection bit past 31
}

TEST(SimSle, ReadsPastTheLastAddressGetTheFloatingLine) {
    sim::Sle4442Card sle4442;
    sim::Sle4428Card sle4428;
    EXPECT_EQ(Send(sle4442, 0x11, 0xB4, {255, 2}), Echo(0xB4, {0xFF, 0xFF}));
    EXPECT_EQ(Send(sle4428, 0x12, 0xBE, {0xFF, 0x03, 2}), Echo(0xBE, {0x00, 0xFF, 0x01, 0xFF}));
}

TEST(SimSle, MalformedCommandsAreRefusedWithoutSpendingAnAttempt) {
    sim::Sle4442Card card;
    for (const Bytes& code : {Bytes{0xFF, 0xFF}, Bytes{}}) {
        EXPECT_EQ(Send(card, 0x11, 0xB6, code), Refused(sim::kWordCommandError));
    }
    EXPECT_EQ(Send(card, 0x11, 0xB5, {0, 2, 0x11}), Refused(sim::kWordCommandError));
    EXPECT_EQ(Send(card, 0x11, 0xB9, {}), Echo(0xB9, {0x07, 0, 0, 0}));
}

TEST(SimSle4428, TheCardKeepsItsCounterToItself) {
    sim::Sle4428Card card;
    ASSERT_EQ(Send(card, 0x12, 0xBD, {0xFF, 0xFF}), Echo(0xBD));
    EXPECT_EQ(Send(card, 0x12, 0xBC, {0xFD, 0x03, 1, 0x00}), Echo(0xBC));
    EXPECT_EQ(card.memory.main[1021], 0xFF);
}

// Detection reads two bytes at 6 under each family's protocol: only the
// card's own protocol may show its identifying byte.
TEST(SimSle, OtherFamiliesProtocolsReadTheFloatingLineOrFail) {
    sim::Sle4442Card sle4442;
    sim::Sle4428Card sle4428;
    EXPECT_EQ(Send(sle4442, 0x12, 0xBB, {6, 0, 2}), Echo(0xBB, {0xFF, 0xFF}));
    EXPECT_EQ(Send(sle4428, 0x11, 0xB4, {6, 2}), Echo(0xB4, {0xFF, 0xFF}));
    EXPECT_EQ(Send(sle4442, 0x13, 0xAE, {0, 0, 0, 0, 2}), Echo(0xAE, {0xFF, 0xFF}));
    EXPECT_EQ(Send(sle4428, 0x13, 0xAF, {0, 0, 0, 0, 1, 0x33}), Refused(sim::kWordCannotRead));
    EXPECT_EQ(Send(sle4442, 0x10, 0xB0, {0, 0, 1}), Refused(sim::kWordCannotRead));
    EXPECT_EQ(Send(sle4442, 0x12, 0xB4, {6, 2}), Refused(sim::kWordCannotRead));
    EXPECT_EQ(Send(sle4442, 0x00, 0xA3, {}), Refused(sim::kWordNoAnswer));
}

TEST(SimSle, StateSurvivesSaveAndLoadButVerificationDoesNot) {
    sim::Sle4442Card sle4442;
    sle4442.memory.main[100] = 0x42;
    sle4442.memory.protection = {0x00, 0x0F, 0xFF, 0xFF};
    sle4442.memory.security = {0x03, 0x01, 0x02, 0x03};
    ASSERT_EQ(Send(sle4442, 0x11, 0xB6, {0x01, 0x02, 0x03}), Echo(0xB6));
    sim::Sle4442Card copy;
    ASSERT_TRUE(copy.Load(sle4442.Save()));
    EXPECT_EQ(copy.memory.main, sle4442.memory.main);
    EXPECT_EQ(copy.memory.protection, sle4442.memory.protection);
    EXPECT_EQ(copy.memory.security, sle4442.memory.security);
    EXPECT_FALSE(copy.verified());

    sim::Sle4428Card sle4428;
    sle4428.memory.main[1022] = 0x12;
    sle4428.memory.writable[900] = 0;
    sim::Sle4428Card copy4428;
    ASSERT_TRUE(copy4428.Load(sle4428.Save()));
    EXPECT_EQ(copy4428.memory.main, sle4428.memory.main);
    EXPECT_EQ(copy4428.memory.writable, sle4428.memory.writable);
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

}  // namespace
