// SPDX-License-Identifier: MIT
// The simulated 24Cxx cards, driven directly with reader commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "sim/card_24c.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

sim::Reply Send(sim::Card& card, std::uint8_t code, const Bytes& data,
                std::uint8_t reader_code = 0x10) {
    return card.Handle({reader_code, code, data});
}

Bytes Header(std::uint16_t address, std::size_t count) {
    return {static_cast<std::uint8_t>(address & 0xFF), static_cast<std::uint8_t>(address >> 8),
            static_cast<std::uint8_t>(count)};
}

sim::Reply Read(sim::Card& card, std::uint8_t code, std::uint16_t address, std::size_t count) {
    return Send(card, code, Header(address, count));
}

sim::Reply Write(sim::Card& card, std::uint8_t code, std::uint16_t address, const Bytes& data) {
    Bytes cmd = Header(address, data.size());
    cmd.insert(cmd.end(), data.begin(), data.end());
    return Send(card, code, cmd);
}

Bytes Slice(std::span<const std::uint8_t> memory, std::size_t at, std::size_t n) {
    return {memory.begin() + static_cast<std::ptrdiff_t>(at),
            memory.begin() + static_cast<std::ptrdiff_t>(at + n)};
}

const sim::Reply kCannotRead = sim::Refuse(sim::kWordCannotRead);

bool SameReply(const sim::Reply& a, const sim::Reply& b) {
    return a.code == b.code && a.data == b.data;
}

TEST(Sim24C, SequentialReadRollsOverAtEndOfMemory) {
    sim::Eeprom24CCard card(sim::k24C02);
    const auto m = card.memory();
    const Bytes expected{m[254], m[255], m[0], m[1]};
    EXPECT_TRUE(SameReply(Read(card, 0xB0, 254, 4), sim::Echo(0xB0, expected)));
}

TEST(Sim24C, BlocksTheChipDoesNotHaveAreNotAcknowledged) {
    sim::Eeprom24CCard c04(sim::k24C04);
    const Bytes before(c04.memory().begin(), c04.memory().end());
    EXPECT_FALSE(SameReply(Read(c04, 0xB0, 0x01FE, 2), kCannotRead));
    EXPECT_TRUE(SameReply(Read(c04, 0xB0, 0x0200, 2), kCannotRead));
    EXPECT_TRUE(SameReply(Write(c04, 0xB1, 0x02FE, {1, 2}), kCannotRead));
    EXPECT_EQ(Bytes(c04.memory().begin(), c04.memory().end()), before);

    sim::Eeprom24CCard c02(sim::k24C02);
    EXPECT_TRUE(SameReply(Write(c02, 0xB1, 0x0100, {1}), kCannotRead));
    // A write running into a missing block keeps the pages before it.
    EXPECT_TRUE(SameReply(Write(c02, 0xB1, 0x00FC, {1, 2, 3, 4, 5, 6}), kCannotRead));
    EXPECT_EQ(Slice(c02.memory(), 0xFC, 4), (Bytes{1, 2, 3, 4}));
}

TEST(Sim24C, The24C64UsesTwoByteAddresses) {
    sim::Eeprom24CCard card(sim::k24C64);
    ASSERT_TRUE(SameReply(Write(card, 0xB3, 6720, {0x57, 0x50}), sim::Echo(0xB3)));
    EXPECT_EQ(Slice(card.memory(), 6720, 2), (Bytes{0x57, 0x50}));
    EXPECT_TRUE(SameReply(Read(card, 0xB2, 6720, 2), sim::Echo(0xB2, {0x57, 0x50})));
    // The top three address bits are not decoded.
    EXPECT_TRUE(SameReply(Read(card, 0xB2, 6720 + 8192, 2), sim::Echo(0xB2, {0x57, 0x50})));
}

TEST(Sim24C, OneByteAddressesMissOnA24C64) {
    sim::Eeprom24CCard card(sim::k24C64);
    const Bytes before(card.memory().begin(), card.memory().end());
    // The write is acknowledged but its first data byte becomes the address.
    ASSERT_TRUE(SameReply(Write(card, 0xB1, 0, {0x63}), sim::Echo(0xB1)));
    EXPECT_EQ(Bytes(card.memory().begin(), card.memory().end()), before);
    const sim::Reply back = Read(card, 0xB0, 0, 1);
    ASSERT_EQ(back.code, 0xB0);
    EXPECT_NE(back.data, Bytes{0x63});

    ASSERT_TRUE(SameReply(Write(card, 0xB1, 0x0010, {0x02, 0xAA, 0xBB}), sim::Echo(0xB1)));
    EXPECT_EQ(Slice(card.memory(), 0x1002, 2), (Bytes{0xAA, 0xBB}));
    EXPECT_EQ(Slice(card.memory(), 0x10, 3), Slice(before, 0x10, 3));
}

TEST(Sim24C, SmallChipsTakeTheHighByteOfATwoByteAddress) {
    sim::Eeprom24CCard card(sim::k24C02);
    ASSERT_TRUE(SameReply(Write(card, 0xB3, 0x0340, {0x11}), sim::Echo(0xB3)));
    EXPECT_EQ(Slice(card.memory(), 0x03, 2), (Bytes{0x40, 0x11}));
}

TEST(Sim24C, CommandsOfOtherFamiliesAreRefused) {
    sim::Eeprom24CCard card(sim::k24C02);
    EXPECT_TRUE(SameReply(Send(card, 0xB0, Header(0, 1), 0x11), kCannotRead));
    EXPECT_TRUE(SameReply(Send(card, 0xB4, {0, 1}), kCannotRead));
    EXPECT_TRUE(SameReply(Send(card, 0xA3, {}), sim::Refuse(sim::kWordNoAnswer)));
    EXPECT_TRUE(SameReply(Send(card, 0xB1, {0, 0, 3, 1}), sim::Refuse(sim::kWordCommandError)));
    EXPECT_TRUE(SameReply(Send(card, 0xB0, {0, 0}), sim::Refuse(sim::kWordCommandError)));
}

TEST(Sim24C, StartsWithARecognisableImage) {
    sim::Eeprom24CCard card(sim::k24C16);
    const auto m = card.memory();
    EXPECT_EQ(std::string(m.begin(), m.begin() + 5), "24C16");
    EXPECT_NE(std::count(m.begin(), m.end(), 0xFF), static_cast<std::ptrdiff_t>(m.size()));
    EXPECT_NE(Slice(m, 0x100, 16), Slice(m, 0x200, 16));  // blocks tell apart
}

TEST(Sim24C, StateSurvivesSaveAndLoad) {
    sim::Eeprom24CCard card(sim::k24C08);
    ASSERT_TRUE(SameReply(Write(card, 0xB1, 0x0310, {9, 8, 7}), sim::Echo(0xB1)));
    std::fill(card.memory().begin() + 0x40, card.memory().begin() + 0x80, 0xFF);
    const std::string state = card.Save();

    sim::Eeprom24CCard copy(sim::k24C08);
    ASSERT_TRUE(copy.Load(state));
    EXPECT_TRUE(std::ranges::equal(copy.memory(), card.memory()));
}

TEST(Sim24C, ForeignOrDamagedStateIsNotLoaded) {
    const std::string other = sim::Eeprom24CCard(sim::k24C02).Save();
    sim::Eeprom24CCard card(sim::k24C04);
    const Bytes before(card.memory().begin(), card.memory().end());
    EXPECT_FALSE(card.Load(other));
    std::string damaged = card.Save();
    damaged[damaged.find('\n') + 10] = 'x';
    EXPECT_FALSE(card.Load(damaged));
    EXPECT_FALSE(card.Load("24C04\n0200: 00\n"));  // beyond the chip
    EXPECT_EQ(Bytes(card.memory().begin(), card.memory().end()), before);
}

}  // namespace
