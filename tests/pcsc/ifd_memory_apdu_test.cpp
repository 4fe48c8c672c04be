// SPDX-License-Identifier: MIT
// Reading and writing memory cards through the class-FF pseudo-APDUs, and the
// status words of malformed or misplaced commands.
#include "pcsc/command_apdu.h"
#include "sim/card_24c.h"
#include "sim/card_sle4442.h"
#include "tests/pcsc/ifd_fixture.h"

namespace {

class IfdSle4442Test : public IfdTest {
  protected:
    void SetUp() override {
        IfdTest::SetUp();
        auto inserted = std::make_unique<sim::Sle4442Card>();
        card = inserted.get();
        ASSERT_EQ(Start(std::move(inserted)), "3B 04 A2 13 10 91");
    }
    sim::Sle4442Card* card = nullptr;
};

TEST_F(IfdSle4442Test, ReadGivesTheBytesAtTheAddress) {
    EXPECT_EQ(Send("FF B0 00 00 08"), "A2 13 10 91 FF FF 81 15 90 00");
    EXPECT_EQ(Send("FF B0 00 06 02"), "81 15 90 00");
    card->memory.main[255] = 0x5A;
    EXPECT_EQ(Send("FF B0 00 FF 01"), "5A 90 00");
    // Le 00 asks for 256 bytes: the whole card from address 0.
    const std::string whole = Send("FF B0 00 00 00");
    EXPECT_EQ(whole.size(), 258 * 3 - 1);
    EXPECT_EQ(whole.substr(whole.size() - 8), "5A 90 00");
}

TEST_F(IfdSle4442Test, ReadOutsideTheCardIsRefusedWithoutReaderTraffic) {
    host.ClearLog();
    EXPECT_EQ(Send("FF B0 01 00 01"), "6B 00");  // address 256
    EXPECT_EQ(Send("FF B0 00 FF 02"), "6A 82");  // runs past 255
    EXPECT_EQ(Send("FF B0 00 01 00"), "6A 82");  // 256 bytes from 1
    EXPECT_TRUE(host.log.empty());
}

TEST_F(IfdSle4442Test, WriteLandsOnlyAfterTheCodeWasPresented) {
    EXPECT_EQ(Send("FF D0 00 40 03 11 22 33"), "69 82");
    EXPECT_EQ(card->memory.main[0x40], 0xFF);
    ASSERT_EQ(Send("FF 20 00 00 03 FF FF FF"), "90 00");
    EXPECT_EQ(Send("FF D0 00 40 03 11 22 33"), "90 00");
    EXPECT_EQ(Send("FF B0 00 40 03"), "11 22 33 90 00");
    // A protected byte keeps its value: the read-back shows the write failed.
    EXPECT_EQ(Send("FF D0 00 00 01 00"), "65 81");
    EXPECT_EQ(card->memory.main[0], 0xA2);
}

TEST_F(IfdSle4442Test, WriteOutsideTheCardWritesNothing) {
    ASSERT_EQ(Send("FF 20 00 00 03 FF FF FF"), "90 00");
    EXPECT_EQ(Send("FF D0 01 00 01 00"), "6B 00");
    EXPECT_EQ(Send("FF D0 00 FE 03 01 02 03"), "6A 82");
    EXPECT_EQ(card->memory.main[0xFE], 0xFF);
}

TEST_F(IfdSle4442Test, CommandsOfTheWrongShapeAnswerWrongLength) {
    EXPECT_EQ(Send("FF B0 00 00"), "67 00");              // read without Le
    EXPECT_EQ(Send("FF B0 00 00 01 00 02"), "67 00");     // read with data
    EXPECT_EQ(Send("FF D0 00 40"), "67 00");              // write without data
    EXPECT_EQ(Send("FF D0 00 40 03 11 22"), "67 00");     // Lc says more than is there
    EXPECT_EQ(Send("FF D0 00 40 01 11 22 33"), "67 00");  // and less
    EXPECT_EQ(Send("FF A4 00 00 02 10 10"), "67 00");     // select with two types
    EXPECT_EQ(Send("FF 20 00 00 02 FF FF"), "67 00");     // a code of two bytes
    EXPECT_EQ(Send("FF B0"), "67 00");
}

TEST_F(IfdSle4442Test, UnknownClassesAndInstructionsAreRefused) {
    EXPECT_EQ(Send("00 B0 00 00 08"), "6E 00");
    EXPECT_EQ(Send("80 A4 00 00 01 10"), "6E 00");
    EXPECT_EQ(Send("FF CA 00 00 00"), "6D 00");
    EXPECT_EQ(Send("FF 84 00 00 08"), "6D 00");
}

TEST_F(IfdSle4442Test, SelectingACardTypeAddressesTheCardAsThatFamily) {
    EXPECT_EQ(Send("FF A4 00 00 01 10"), "90 00");
    EXPECT_EQ(Send("FF A4 00 00 01 33"), "6A 80");  // no such memory family
    EXPECT_EQ(Send("FF A4 00 01 01 10"), "6B 00");
    // The card does not answer as a 24Cxx: the selection stays as it was.
    EXPECT_EQ(Send("FF A4 00 00 01 40"), "64 00");
    EXPECT_EQ(Send("FF B0 00 06 02"), "81 15 90 00");
}

TEST(IfdCommandApdu, OnlyTheFourShortCasesParse) {
    using ifd_test::FromHex;
    const auto parse = [](const std::string& hex) {
        const auto bytes = FromHex(hex);
        return ifd::ParseCommandApdu(bytes);
    };
    EXPECT_FALSE(parse("FF B0 00"));
    EXPECT_FALSE(parse("FF D0 00 00 00 01"));  // Lc 0 followed by more
    EXPECT_EQ(parse("FF B0 00 00 00")->le, 256);
    const auto case4 = parse("FF D0 12 34 02 AA BB 05");
    ASSERT_TRUE(case4);
    EXPECT_EQ(case4->P1P2(), 0x1234);
    EXPECT_EQ(case4->data.size(), 2u);
    EXPECT_EQ(case4->le, 5);
}

TEST_F(IfdTest, Eeprom24CShowsTheSizeItsBlocksAnswerFor) {
    Start("24c04");
    EXPECT_EQ(Send("FF B0 01 FF 01").substr(3), "90 00");
    EXPECT_EQ(Send("FF B0 02 00 01"), "6B 00");
    // A serial EEPROM has no code, but found by reads its addressing is not
    // known: writes wait for its type. Code commands do not apply.
    EXPECT_EQ(Send("FF D0 01 F0 02 AB CD"), "69 82");
    ASSERT_EQ(Send("FF A4 00 00 01 40"), "90 00");
    EXPECT_EQ(Send("FF D0 01 F0 02 AB CD"), "90 00");
    EXPECT_EQ(Send("FF B0 01 F0 02"), "AB CD 90 00");
    EXPECT_EQ(Send("FF 20 00 00 03 FF FF FF"), "6A 81");
    EXPECT_EQ(Send("FF B2 00 00 04"), "6A 81");
}

TEST_F(IfdTest, Eeprom24C64IsReachedWithTwoByteAddressesOnceSelected) {
    auto inserted = std::make_unique<sim::Eeprom24CCard>(sim::k24C64);
    sim::Eeprom24CCard* chip = inserted.get();
    // It answers a one-byte-address read, so it is found as a small 24Cxx.
    EXPECT_EQ(Start(std::move(inserted)), "3B 04 32 34 43 02");
    // It would take the first data byte as its address low byte.
    const auto image = chip->Save();
    EXPECT_EQ(Send("FF D0 00 40 02 11 22"), "69 82");
    EXPECT_EQ(chip->Save(), image);
    ASSERT_EQ(Send("FF A4 00 00 01 C0"), "90 00");
    EXPECT_EQ(Send("FF D0 1A 40 02 57 50"), "90 00");
    EXPECT_EQ(chip->memory()[0x1A40], 0x57);
    EXPECT_EQ(chip->memory()[0x1A41], 0x50);
    EXPECT_EQ(Send("FF B0 1A 40 02"), "57 50 90 00");
    EXPECT_EQ(Send("FF B0 1F FF 01").substr(3), "90 00");
    EXPECT_EQ(Send("FF B0 20 00 01"), "6B 00");
}

}  // namespace
