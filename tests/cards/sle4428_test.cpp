// SPDX-License-Identifier: MIT
// SLE4428 through the public API against the simulated card: frames, the
// data-with-flags answer, and the code functions that go through the plain
// memory entry points.
#include "sim/card_sle4428.h"
#include "tests/support/sle_card_fixture.h"

namespace {

using sim_test::Bytes;
using sim_test::CommandFrame;

class Sle4428Test : public sim_test::SleCardTest<sim::Sle4428Card, 4> {};

const Bytes kFactoryCode{0xFF, 0xFF};

TEST_F(Sle4428Test, SingleCommandsCarryTwoAddressBytesLowFirst) {
    unsigned char out[4] = {};
    const Bytes data{0xAB};
    ASSERT_EQ(Read_4428(icdev, 0x10006, 0x102, out), 0);  // 16 and 8 bits
    EXPECT_EQ(Bytes(out, out + 2), (Bytes{0x81, 0x13}));
    ASSERT_EQ(Write_4428(icdev, 0x0312, 1, data.data()), 0);
    ASSERT_EQ(ReadWithProtection_4428(icdev, 0x0200, 2, out), 0);
    ASSERT_EQ(WriteWithProtection_4428(icdev, 0x0201, 1, data.data()), 0);
    EXPECT_EQ(SentFrames(), (std::vector<sim::Frame>{
                                CommandFrame(0xBB, {0x06, 0x00, 0x02}),
                                CommandFrame(0xBC, {0x12, 0x03, 0x01, 0xAB}),
                                CommandFrame(0xBE, {0x00, 0x02, 0x02}),
                                CommandFrame(0xBF, {0x01, 0x02, 0x01, 0xAB}),
                            }));
}

TEST_F(Sle4428Test, FlagBytesBecomeCharactersAndWrongSizedAnswersAreRefused) {
    unsigned char out[4] = {};
    ScriptEcho(0xBE, {0x12, 0x34, 0x01, 0x00});
    ASSERT_EQ(ReadWithProtection_4428(icdev, 0, 2, out), 0);
    EXPECT_EQ(Bytes(out, out + 4), (Bytes{0x12, 0x34, '1', '0'}));
    ScriptEcho(0xBE, {0x56, 0x78, 0x01});
    EXPECT_EQ(ReadWithProtection_4428(icdev, 0, 2, out), 3);
    ScriptEcho(0xBE, {});
    EXPECT_EQ(ReadWithProtection_4428(icdev, 0, 2, out), VEXA_ERR_LENGTH);
    EXPECT_EQ(Bytes(out, out + 4), (Bytes{0x12, 0x34, '1', '0'}));
}

TEST_F(Sle4428Test, AttemptCountCountsAllEightBitsOfByte1021) {
    for (auto [counter, count] : {std::pair{0xFF, 8}, {0x81, 2}}) {
        card->memory.main[1021] = static_cast<std::uint8_t>(counter);
        EXPECT_EQ(IC_ReadCount_SLE4428(icdev), count);
        EXPECT_EQ(vexa::LastError(), 0);
    }
    EXPECT_EQ(SentFrames().back(), CommandFrame(0xBB, {0xFD, 0x03, 0x01}));
}

TEST_F(Sle4428Test, CodeChangeLandsOnlyOnAnOpenedCard) {
    EXPECT_EQ(IC_CheckPass_4428hex(icdev, "1234"), sim::kWordWrongCode);
    EXPECT_EQ(IC_ReadCount_SLE4428(icdev), 7);
    EXPECT_EQ(IC_ChangePass_4428hex(icdev, "1234"),
              VEXA_ERR_WRITE_MISMATCH);  // ignored: reads back 00 00
    ASSERT_EQ(IC_CheckPass_SLE4428(icdev, kFactoryCode.data()), 0);
    EXPECT_EQ(IC_ReadCount_SLE4428(icdev), 8);
    host.ClearLog();
    ASSERT_EQ(IC_ChangePass_4428hex(icdev, "1a2B"), 0);
    EXPECT_EQ(SentFrames().front(), CommandFrame(0xBC, {0xFE, 0x03, 0x02, 0x1A, 0x2B}));
    card->PowerDown();
    EXPECT_EQ(IC_CheckPass_SLE4428(icdev, kFactoryCode.data()), sim::kWordWrongCode);
    EXPECT_EQ(IC_CheckPass_4428hex(icdev, "1A2B"), 0);
}

TEST_F(Sle4428Test, EightWrongCodesLockTheCard) {
    for (int left = 7; left >= 0; --left) {
        EXPECT_EQ(IC_CheckPass_4428hex(icdev, "0000"), sim::kWordWrongCode);
        EXPECT_EQ(IC_ReadCount_SLE4428(icdev), left);
    }
    EXPECT_EQ(IC_CheckPass_SLE4428(icdev, kFactoryCode.data()), sim::kWordCardLocked);
}

TEST_F(Sle4428Test, CodeFunctionsOnPlainEntryPointsNeedAMemoryFamilySelected) {
    ASSERT_EQ(IC_InitType(icdev, VEXA_TYPE_CPU), 0);
    EXPECT_EQ(IC_ChangePass_SLE4428(icdev, kFactoryCode.data()), VEXA_ERR_CARD_TYPE);
    EXPECT_EQ(IC_ReadCount_SLE4428(icdev), VEXA_ERR_CARD_TYPE);
    EXPECT_TRUE(Reports().empty());
}

// Detection reads bytes 6 and 7 under each family in turn.
TEST_F(Sle4428Test, OnlyItsOwnProtocolShowsTheFamilyByte) {
    unsigned char id[2] = {};
    ASSERT_EQ(IC_InitType(icdev, VEXA_TYPE_SLE4442), 0);
    ASSERT_EQ(IC_Read(icdev, 6, 2, id), 0);
    EXPECT_EQ(id[1], 0xFF);
    ASSERT_EQ(IC_InitType(icdev, VEXA_TYPE_24C), 0);
    EXPECT_EQ(IC_Read(icdev, 6, 2, id), sim::kWordCannotRead);
    ASSERT_EQ(IC_InitType(icdev, VEXA_TYPE_SLE4428), 0);
    ASSERT_EQ(IC_Read(icdev, 6, 2, id), 0);
    EXPECT_EQ(id[1], 0x13);
}

TEST_F(Sle4428Test, BadArgumentsFailWithoutTouchingTheReader) {
    const Bytes data(249, 0x00);
    unsigned char out[2] = {};
    EXPECT_EQ(Read_4428(icdev, -1, 1, out), VEXA_ERR_LENGTH);
    EXPECT_EQ(Write_4428(icdev, 0x8000, 1, data.data()), VEXA_ERR_LENGTH);  // negative as 16 bits
    EXPECT_EQ(Write_4428(icdev, 0, 249, data.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(WriteWithProtection_4428(icdev, 0, -5, data.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(ReadWithProtection_4428(icdev, 0, 1, nullptr), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_ChangePass_SLE4428(icdev, nullptr), VEXA_ERR_LENGTH);
    EXPECT_TRUE(Reports().empty());
    EXPECT_EQ(Write_4428(icdev, 0, 248, data.data()), 0);
}

}  // namespace

// Only a flag byte of exactly 1 means writable: 02, 81 or FF from a confused
// reader are no permission to write.
TEST_F(Sle4428Test, FlagBytesOtherThanOneReadAsProtected) {
    unsigned char out[8] = {};
    ScriptEcho(0xBE, {0x11, 0x22, 0x33, 0x44, 0x02, 0x81, 0xFF, 0x01});
    ASSERT_EQ(ReadWithProtection_4428(icdev, 0, 4, out), 0);
    EXPECT_EQ(Bytes(out, out + 8), (Bytes{0x11, 0x22, 0x33, 0x44, '0', '0', '0', '1'}));
}
