// SPDX-License-Identifier: MIT
// The SLE cards' codes, error counters and protection through the
// pseudo-APDUs.
#include "sim/card_sle4428.h"
#include "sim/card_sle4442.h"
#include "tests/pcsc/ifd_fixture.h"

namespace {

class IfdCodeTest : public IfdTest {
  protected:
    sim::Sle4442Card* Sle4442(std::uint8_t counter = 0x07) {
        auto inserted = std::make_unique<sim::Sle4442Card>();
        inserted->memory.security = {counter, 0x12, 0x34, 0x56};
        sim::Sle4442Card* card = inserted.get();
        Start(std::move(inserted));
        return card;
    }
    sim::Sle4428Card* Sle4428() {
        auto inserted = std::make_unique<sim::Sle4428Card>();
        sim::Sle4428Card* card = inserted.get();
        Start(std::move(inserted));
        return card;
    }
};

TEST_F(IfdCodeTest, WrongCodeCostsAnAttemptAndSaysHowManyAreLeft) {
    sim::Sle4442Card* card = Sle4442();
    EXPECT_EQ(Send("FF 20 00 00 03 00 00 00"), "63 C2");
    EXPECT_EQ(card->memory.security[0], 0x03);
    EXPECT_EQ(Send("FF 20 00 00 03 00 00 00"), "63 C1");
    // The right code gives every attempt back.
    EXPECT_EQ(Send("FF 20 00 00 03 12 34 56"), "90 00");
    EXPECT_EQ(card->memory.security[0], 0x07);
    EXPECT_EQ(Send("FF B1 00 00 04"), "07 12 34 56 90 00");
}

TEST_F(IfdCodeTest, LastAttemptSpentLocksTheCard) {
    sim::Sle4442Card* card = Sle4442(0x01);
    EXPECT_EQ(Send("FF 20 00 00 03 00 00 00"), "63 C0");
    host.ClearLog();
    // Even the right code is not tried on a locked card.
    EXPECT_EQ(Send("FF 20 00 00 03 12 34 56"), "69 83");
    EXPECT_TRUE(host.log.empty());
    EXPECT_FALSE(card->verified());
}

// Only bits 0-2 of the SLE4442's counter count attempts.
TEST_F(IfdCodeTest, LockedCardIsReportedOnItsFirstPresentation) {
    sim::Sle4442Card* card = Sle4442(0xF8);
    EXPECT_EQ(Send("FF 20 00 00 03 12 34 56"), "69 83");
    EXPECT_FALSE(card->verified());
    EXPECT_EQ(Send("FF B1 00 00 00"), "F8 00 00 00 90 00");
}

TEST_F(IfdCodeTest, WrongCodeAfterTheRightOneClosesTheCardAgain) {
    sim::Sle4442Card* card = Sle4442();
    ASSERT_EQ(Send("FF 20 00 00 03 12 34 56"), "90 00");
    EXPECT_EQ(Send("FF 20 00 00 03 00 00 00"), "63 C2");
    EXPECT_EQ(Send("FF D2 00 01 03 AA BB CC"), "69 82");
    EXPECT_EQ(Send("FF D0 00 40 01 00"), "69 82");
    EXPECT_EQ(card->memory.security[1], 0x12);
}

TEST_F(IfdCodeTest, ChangingTheCodeNeedsTheCurrentOne) {
    sim::Sle4442Card* card = Sle4442();
    EXPECT_EQ(Send("FF D2 00 01 03 AA BB CC"), "69 82");
    ASSERT_EQ(Send("FF 20 00 00 03 12 34 56"), "90 00");
    EXPECT_EQ(Send("FF D2 00 00 03 AA BB CC"), "6B 00");
    EXPECT_EQ(Send("FF D2 00 01 02 AA BB"), "67 00");
    EXPECT_EQ(Send("FF A4 00 00 01 10"), "90 00");  // its own family: the code still holds
    EXPECT_EQ(Send("FF D2 00 01 03 AA BB CC"), "90 00");
    EXPECT_EQ(card->memory.security[1], 0xAA);
    // A power cycle closes the card again.
    ASSERT_EQ(ifd_test::PowerUp(ifd_test::kLun), "3B 04 A2 13 10 91");
    EXPECT_EQ(Send("FF D0 00 40 01 00"), "69 82");
}

TEST_F(IfdCodeTest, ErrorCounterAnswersOnlyItsOwnLength) {
    Sle4442();
    EXPECT_EQ(Send("FF B1 00 00 04"), "07 00 00 00 90 00");  // code hidden until verified
    EXPECT_EQ(Send("FF B1 00 00 02"), "6C 04");
    EXPECT_EQ(Send("FF B1 00 01 04"), "6B 00");
}

TEST_F(IfdCodeTest, ProtectionBitsAndWritingWithProtectionOnSle4442) {
    sim::Sle4442Card* card = Sle4442();
    card->memory.protection = {0x00, 0xFF, 0xFF, 0xFF};  // bytes 0..7 protected
    EXPECT_EQ(Send("FF B2 00 00 04"), "00 FF FF FF 90 00");
    EXPECT_EQ(Send("FF B2 00 00 01"), "6C 04");
    EXPECT_EQ(Send("FF D1 00 10 01 42"), "69 82");
    ASSERT_EQ(Send("FF 20 00 00 03 12 34 56"), "90 00");
    EXPECT_EQ(Send("FF D1 00 10 01 42"), "90 00");
    EXPECT_EQ(Send("FF B2 00 00 00"), "00 FF FE FF 90 00");
    EXPECT_EQ(Send("FF B0 00 10 01"), "42 90 00");
    // Only the first 32 bytes can be protected.
    EXPECT_EQ(Send("FF D1 00 1F 02 01 02"), "6A 82");
    EXPECT_EQ(Send("FF D1 01 00 01 01"), "6B 00");
    EXPECT_EQ(Send("FF D1 00 1F 01 42"), "90 00");
}

TEST_F(IfdCodeTest, Sle4428CodeCounterAndProtectionFlags) {
    sim::Sle4428Card* card = Sle4428();
    EXPECT_EQ(Send("FF 20 00 00 02 00 00"), "63 C7");
    EXPECT_EQ(Send("FF 20 00 00 03 FF FF FF"), "67 00");
    EXPECT_EQ(Send("FF B1 00 00 03"), "7F 00 00 90 00");
    ASSERT_EQ(Send("FF 20 00 00 02 FF FF"), "90 00");
    EXPECT_EQ(Send("FF B1 00 00 00"), "FF FF FF 90 00");
    // Factory bytes 0..7 are protected; byte 8 on is writable.
    EXPECT_EQ(Send("FF B2 00 00 02"), "00 FF 90 00");
    EXPECT_EQ(Send("FF D1 03 00 02 61 62"), "90 00");
    EXPECT_EQ(Send("FF B2 03 00 01"), "FC 90 00");
    EXPECT_EQ(card->memory.main[0x300], 0x61);
    EXPECT_EQ(Send("FF B2 03 FC 01"), "6A 82");  // 8 bits from 1020 run past 1023
    const std::string tail = Send("FF B2 03 F8 00");
    EXPECT_EQ(tail.substr(tail.size() - 5), "90 00");
    EXPECT_EQ(Send("FF B0 03 FF 01").substr(3), "90 00");
    EXPECT_EQ(Send("FF B0 04 00 01"), "6B 00");
    EXPECT_EQ(Send("FF D2 00 01 02 12 34"), "90 00");
    EXPECT_EQ(card->memory.main[1022], 0x12);
}

}  // namespace
