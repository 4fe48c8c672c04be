// SPDX-License-Identifier: MIT
// The 24Cxx and 45DB041 single commands through the public API: the frames on
// the wire, how answers are read, and the requests refused before sending.
#include "vexa/cards/serial_memory.h"

#include "tests/support/serial_card_fixture.h"

namespace {

using sim_test::Bytes;
using sim_test::CommandFrame;
using sim_test::Pattern;
using sim_test::Slice;

using SerialMemoryTest = sim_test::SerialCardTest;

TEST_F(SerialMemoryTest, EepromReadSendsAddressLowByteFirst) {
    auto* card = InsertEeprom(sim::k24C04);
    unsigned char out[16] = {};
    ASSERT_EQ(Read_24C(icdev, 0x0123, 16, out), 0);
    EXPECT_EQ(SentFrames(), std::vector<sim::Frame>{CommandFrame(0xB0, {0x23, 0x01, 0x10})});
    EXPECT_EQ(SentFrames()[0].back(), 0x21 ^ 0xB0 ^ 0x03 ^ 0x23 ^ 0x01 ^ 0x10);
    EXPECT_EQ(Bytes(out, out + 16), Slice(card->memory(), 0x123, 16));
}

TEST_F(SerialMemoryTest, FlashCommandsSendPageAndOffsetHighByteFirst) {
    auto* card = InsertFlash();
    unsigned char out[2] = {};
    ASSERT_EQ(Read_45DB041(icdev, 2047, 0, 2, out), 0);
    EXPECT_EQ(Bytes(out, out + 2), Slice(card->page(2047), 0, 2));
    ASSERT_EQ(Write_45DB041(icdev, 0x0123, 0x0107, 2, Bytes{'O', 'K'}.data()), 0);
    EXPECT_EQ(SentFrames(), (std::vector<sim::Frame>{
                                CommandFrame(0xAE, {0x07, 0xFF, 0x00, 0x00, 0x02}),
                                CommandFrame(0xAF, {0x01, 0x23, 0x01, 0x07, 0x02, 'O', 'K'})}));
    EXPECT_EQ(card->page(0x123)[0x107 % 264], 'O');
}

TEST_F(SerialMemoryTest, ZeroByteReadSucceedsWithoutTouchingTheBuffer) {
    InsertEeprom(sim::k24C02);
    unsigned char out[1] = {0xEE};
    ASSERT_EQ(Read_24C(icdev, 0x42, 0, out), 0);
    EXPECT_EQ(SentFrames(), std::vector<sim::Frame>{CommandFrame(0xB0, {0x42, 0x00, 0x00})});
    EXPECT_EQ(out[0], 0xEE);
}

TEST_F(SerialMemoryTest, LongestEepromWriteFillsFourReportsOneMoreIsRefusedUnsent) {
    auto* card = InsertEeprom(sim::k24C16);
    const Bytes data = Pattern(249, 7);
    ASSERT_EQ(Write_24C(icdev, 0x100, 248, data.data()), 0);
    EXPECT_EQ(ReportsSent(), 4u);
    EXPECT_EQ(Slice(card->memory(), 0x100, 248), Bytes(data.begin(), data.end() - 1));

    host.ClearLog();
    EXPECT_EQ(Write_24C(icdev, 0x100, 249, data.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(vexa::LastError(), VEXA_ERR_LENGTH);
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(Write_45DB041(icdev, 0, 0, 247, data.data()), VEXA_ERR_LENGTH);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(SerialMemoryTest, The24C64WriteOfA128ByteFrameSkipsTheEmptyReport) {
    auto* card = InsertEeprom(sim::k24C64, VEXA_TYPE_24C64);
    const Bytes data = Pattern(121, 1);
    ASSERT_EQ(vexa::Write_24C64(icdev, 0x40, 121, data.data()), 0);
    EXPECT_EQ(ReportsSent(), 2u);
    EXPECT_EQ(Slice(card->memory(), 0x40, 121), data);

    host.ClearLog();  // a 64-byte frame keeps its trailing empty report
    ASSERT_EQ(vexa::Write_24C64(icdev, 0x200, 57, data.data()), 0);
    ASSERT_EQ(ReportsSent(), 2u);
    EXPECT_EQ(host.log[1].bytes, sim::ReportOf({}));

    host.ClearLog();
    unsigned char out[57] = {};
    ASSERT_EQ(vexa::Read_24C64(icdev, 0x200, 57, out), 0);
    EXPECT_EQ(SentFrames(), std::vector<sim::Frame>{CommandFrame(0xB2, {0x00, 0x02, 57})});
    EXPECT_EQ(Bytes(out, out + 57), Bytes(data.begin(), data.begin() + 57));
}

TEST_F(SerialMemoryTest, RefusalsPassTheAnswerWordOnAndLeaveTheBufferAlone) {
    InsertEeprom(sim::k24C04);
    unsigned char out[2] = {0xEE, 0xEE};
    EXPECT_EQ(Read_24C(icdev, 0x0200, 2, out), 0x61D8);  // no third block
    EXPECT_EQ(vexa::LastError(), 0x61D8);
    reader().faults.answer_word = 0x6109;
    EXPECT_EQ(Read_24C(icdev, 0, 2, out), 0x6109);
    EXPECT_EQ(Bytes(out, out + 2), (Bytes{0xEE, 0xEE}));
    EXPECT_EQ(Write_24C(icdev, 0x02F0, 2, out), 0x61D8);
}

TEST_F(SerialMemoryTest, AnswersOfTheWrongLengthNeverOverrunOrHalfFillTheBuffer) {
    InsertEeprom(sim::k24C02);
    unsigned char out[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    reader().faults.scripted_response = sim::ResponseFrame(sim::Echo(0xB0, {1, 2, 3, 4, 5}));
    ASSERT_EQ(Read_24C(icdev, 0, 3, out), 0);
    EXPECT_EQ(Bytes(out, out + 4), (Bytes{1, 2, 3, 0xEE}));

    reader().faults.scripted_response = sim::ResponseFrame(sim::Echo(0xAE, {9}));
    EXPECT_EQ(Read_45DB041(icdev, 0, 0, 3, out), VEXA_ERR_LENGTH);
    EXPECT_EQ(Bytes(out, out + 4), (Bytes{1, 2, 3, 0xEE}));
}

TEST_F(SerialMemoryTest, NegativeAddressesAndMissingBuffersAreRefusedUnsent) {
    InsertFlash();
    unsigned char out[4] = {};
    EXPECT_EQ(Read_24C(icdev, -1, 1, out), VEXA_ERR_LENGTH);
    EXPECT_EQ(Write_24C(icdev, 0x8000, 1, out), VEXA_ERR_LENGTH);  // 16 bits: negative
    EXPECT_EQ(Write_24C(icdev, 0, -1, out), VEXA_ERR_LENGTH);
    EXPECT_EQ(Write_24C(icdev, 0, 2, nullptr), VEXA_ERR_LENGTH);
    EXPECT_EQ(Read_24C(icdev, 0, 2, nullptr), VEXA_ERR_LENGTH);
    EXPECT_EQ(Read_45DB041(icdev, -3, 0, 1, out), VEXA_ERR_LENGTH);
    EXPECT_EQ(Write_45DB041(icdev, 0, -3, 1, out), VEXA_ERR_LENGTH);
    EXPECT_EQ(Write_45DB041(icdev, 0, 0, 1, nullptr), VEXA_ERR_LENGTH);
    EXPECT_EQ(vexa::LastError(), VEXA_ERR_LENGTH);
    EXPECT_TRUE(host.log.empty());
}

}  // namespace
