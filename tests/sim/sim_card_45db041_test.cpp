// SPDX-License-Identifier: MIT
// The simulated 45DB041 serial flash, driven directly with reader commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "sim/card_45db041.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Header(std::uint16_t page, std::uint16_t offset, std::size_t count) {
    return {static_cast<std::uint8_t>(page >> 8), static_cast<std::uint8_t>(page & 0xFF),
            static_cast<std::uint8_t>(offset >> 8), static_cast<std::uint8_t>(offset & 0xFF),
            static_cast<std::uint8_t>(count)};
}

sim::Reply Read(sim::Card& card, std::uint16_t page, std::uint16_t offset, std::size_t count,
                std::uint8_t reader_code = 0x13) {
    const Bytes cmd = Header(page, offset, count);
    return card.Handle({reader_code, 0xAE, cmd});
}

sim::Reply Write(sim::Card& card, std::uint16_t page, std::uint16_t offset, const Bytes& data) {
    Bytes cmd = Header(page, offset, data.size());
    cmd.insert(cmd.end(), data.begin(), data.end());
    return card.Handle({0x13, 0xAF, cmd});
}

Bytes PageCopy(sim::Flash45DB041Card& card, std::size_t page) {
    return {card.page(page).begin(), card.page(page).end()};
}

TEST(Sim45DB041, ReadWrapsWithinThePage) {
    sim::Flash45DB041Card card;
    const Bytes page = PageCopy(card, 2047);
    const sim::Reply r = Read(card, 2047, 262, 4);
    ASSERT_EQ(r.code, 0xAE);
    EXPECT_EQ(r.data, (Bytes{page[262], page[263], page[0], page[1]}));
}

TEST(Sim45DB041, WriteChangesOnlyTheBytesSent) {
    sim::Flash45DB041Card card;
    Bytes expected = PageCopy(card, 2047);
    ASSERT_EQ(Write(card, 2047, 0, {'O', 'K'}).code, 0xAF);
    expected[0] = 'O';
    expected[1] = 'K';
    EXPECT_EQ(PageCopy(card, 2047), expected);
    EXPECT_EQ(Read(card, 2047, 0, 2).data, (Bytes{'O', 'K'}));

    ASSERT_EQ(Write(card, 3, 263, {1, 2}).code, 0xAF);  // wraps to the page start
    EXPECT_EQ(card.page(3)[263], 1);
    EXPECT_EQ(card.page(3)[0], 2);
}

TEST(Sim45DB041, StartsWithDataAtBothEndsAndErasedBetween) {
    sim::Flash45DB041Card card;
    EXPECT_EQ(std::string(card.page(2047).begin(), card.page(2047).begin() + 9), "PAGE 2047");
    EXPECT_EQ(std::string(card.page(0).begin(), card.page(0).begin() + 9), "PAGE 0000");
    const auto middle = card.page(1000);
    EXPECT_TRUE(
        std::all_of(middle.begin(), middle.end(), [](std::uint8_t b) { return b == 0xFF; }));
}

TEST(Sim45DB041, PageNumbersBeyondTheChipWrap) {
    sim::Flash45DB041Card card;
    EXPECT_EQ(Read(card, 2048 + 5, 0, 8).data, Read(card, 5, 0, 8).data);
}

TEST(Sim45DB041, OtherFamiliesAndMalformedCommandsAreRefused) {
    sim::Flash45DB041Card card;
    const sim::Reply wrong_code = Read(card, 0, 0, 1, 0x10);
    EXPECT_EQ(wrong_code.code, sim::kRefusalCode);
    EXPECT_EQ(wrong_code.data, (Bytes{0x61, 0xD8}));
    const Bytes short_write{0, 0, 0, 0, 3, 1};
    EXPECT_EQ(card.Handle({0x13, 0xAF, short_write}).data, (Bytes{0x61, 0x09}));
}

TEST(Sim45DB041, StateSurvivesSaveAndLoadAndStaysSmall) {
    sim::Flash45DB041Card card;
    ASSERT_EQ(Write(card, 700, 10, {1, 2, 3}).code, 0xAF);
    const std::string state = card.Save();
    EXPECT_LT(state.size(), 40u * 3 * sim::Flash45DB041Card::kPageSize);  // erased pages left out

    sim::Flash45DB041Card copy;
    ASSERT_EQ(Write(copy, 0, 0, {0xEE}).code, 0xAF);
    ASSERT_TRUE(copy.Load(state));
    for (std::size_t p : {0u, 700u, 1000u, 2047u}) EXPECT_EQ(PageCopy(copy, p), PageCopy(card, p));
    EXPECT_FALSE(copy.Load("24C02\n"));
}

}  // namespace
