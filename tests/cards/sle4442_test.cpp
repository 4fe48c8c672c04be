// SPDX-License-Identifier: MIT
// SLE4442 through the public API against the simulated card: the frames on
// the wire, the answers read back, and the security code rules of the chip.
#include <string>

#include "sim/card_sle4442.h"
#include "tests/support/sle_card_fixture.h"

namespace {

using sim_test::Bytes;
using sim_test::CommandFrame;

class Sle4442Test : public sim_test::SleCardTest<sim::Sle4442Card, 16> {
  protected:
    int16_t Verify(const Bytes& code) { return IC_CheckPass_SLE4442(icdev, code.data()); }
};

const Bytes kFactoryCode{0xFF, 0xFF, 0xFF};
const Bytes kWrongCode{0x01, 0x02, 0x03};

TEST_F(Sle4442Test, SingleCommandsTravelAsDocumentedFrames) {
    unsigned char out[2] = {};
    const Bytes data{0x11, 0x22};
    ASSERT_EQ(Read_4442(icdev, 0x106, 0x202, out), 0);  // 8 bits of each
    EXPECT_EQ(Bytes(out, out + 2), (Bytes{0x81, 0x15}));
    ASSERT_EQ(Write_4442(icdev, 0x40, 2, data.data()), 0);
    ASSERT_EQ(WritePass_4442(icdev, kFactoryCode.data()), 0);
    EXPECT_EQ(SentFrames(), (std::vector<sim::Frame>{
                                CommandFrame(0xB4, {0x06, 0x02}),
                                CommandFrame(0xB5, {0x40, 0x02, 0x11, 0x22}),
                                CommandFrame(0xBA, {0xFF, 0xFF, 0xFF}),
                            }));
}

TEST_F(Sle4442Test, HexCodeTwinsSendTheSameBytesInEitherLetterCase) {
    card->memory.security = {0x07, 0xA1, 0xB2, 0xC3};
    ASSERT_EQ(IC_CheckPass_4442hex(icdev, "a1B2c3"), 0);
    ASSERT_EQ(Verify({0xA1, 0xB2, 0xC3}), 0);
    ASSERT_EQ(IC_ChangePass_4442hex(icdev, "0d0E0f"), 0);
    EXPECT_EQ(SentFrames(), (std::vector<sim::Frame>{
                                CommandFrame(0xB6, {0xA1, 0xB2, 0xC3}),
                                CommandFrame(0xB6, {0xA1, 0xB2, 0xC3}),
                                CommandFrame(0xBA, {0x0D, 0x0E, 0x0F}),
                            }));
}

TEST_F(Sle4442Test, AttemptCountUsesOnlyTheThreeCounterBits) {
    for (auto [counter, count] : {std::pair{0x07, 3}, {0x06, 2}, {0xF8, 0}, {0xFD, 2}}) {
        ScriptEcho(0xB9, {static_cast<std::uint8_t>(counter), 0, 0, 0});
        vexa::SetLastError(-1);
        EXPECT_EQ(IC_ReadCount_SLE4442(icdev), count) << counter;
        EXPECT_EQ(vexa::LastError(), 0);
    }
}

TEST_F(Sle4442Test, SecurityMemoryAnswersOfTheWrongSizeAreRefused) {
    unsigned char out[4] = {9, 9, 9, 9};
    ScriptEcho(0xB9, {0x07});
    EXPECT_EQ(ReadPass_4442(icdev, out), 1);
    ScriptEcho(0xB9, {0x07, 1, 2, 3, 4});
    EXPECT_EQ(ReadPass_4442(icdev, out), 5);
    ScriptEcho(0xB9, {});  // LEN 0 would read as success
    EXPECT_EQ(IC_ReadCount_SLE4442(icdev), VEXA_ERR_LENGTH);
    EXPECT_EQ(Bytes(out, out + 4), (Bytes{9, 9, 9, 9}));
}

TEST_F(Sle4442Test, CodeReadsBackAsZerosUntilVerified) {
    char text[7] = "zzzzzz";
    ASSERT_EQ(IC_ReadPass_4442hex(icdev, text), 0);
    EXPECT_EQ(std::string(text), "000000");
    card->memory.security = {0x03, 0x1A, 0x2B, 0x3C};
    ASSERT_EQ(Verify({0x1A, 0x2B, 0x3C}), 0);
    unsigned char security[4] = {};
    ASSERT_EQ(ReadPass_4442(icdev, security), 0);
    EXPECT_EQ(Bytes(security, security + 4), (Bytes{0x07, 0x1A, 0x2B, 0x3C}));
    ASSERT_EQ(IC_ReadPass_4442hex(icdev, text), 0);
    EXPECT_EQ(std::string(text), "1A2B3C");
}

TEST_F(Sle4442Test, ThreeWrongCodesLockTheCardForGood) {
    for (int left = 2; left >= 0; --left) {
        EXPECT_EQ(Verify(kWrongCode), sim::kWordWrongCode);
        EXPECT_EQ(IC_ReadCount_SLE4442(icdev), left);
    }
    EXPECT_EQ(Verify(kFactoryCode), sim::kWordCardLocked);
    EXPECT_EQ(IC_ReadCount_SLE4442(icdev), 0);
    EXPECT_EQ(IC_Write(icdev, 100, 1, Bytes{0x12}.data()), VEXA_ERR_WRITE_MISMATCH);
}

TEST_F(Sle4442Test, WritesLandOnlyAfterTheRightCodeAndNeverOnProtectedBytes) {
    const Bytes data{0xC0, 0xFF, 0xEE};
    EXPECT_EQ(IC_Write(icdev, 200, 3, data.data()), VEXA_ERR_WRITE_MISMATCH);
    EXPECT_EQ(Verify(kWrongCode), sim::kWordWrongCode);
    ASSERT_EQ(Verify(kFactoryCode), 0);
    EXPECT_EQ(IC_ReadCount_SLE4442(icdev), 3);
    ASSERT_EQ(IC_Write(icdev, 200, 3, data.data()), 0);
    unsigned char back[3] = {};
    ASSERT_EQ(IC_Read(icdev, 200, 3, back), 0);
    EXPECT_EQ(Bytes(back, back + 3), data);
    EXPECT_EQ(IC_Write(icdev, 3, 1, Bytes{0x00}.data()), VEXA_ERR_WRITE_MISMATCH);
    EXPECT_EQ(card->memory.main[3], 0x91);
}

TEST_F(Sle4442Test, ChangedCodeIsTheOneToPresentAfterPowerDown) {
    ASSERT_EQ(Verify(kFactoryCode), 0);
    ASSERT_EQ(IC_ChangePass_SLE4442(icdev, Bytes{0x31, 0x32, 0x33}.data()), 0);
    card->PowerDown();
    EXPECT_EQ(Verify(kFactoryCode), sim::kWordWrongCode);
    EXPECT_EQ(IC_CheckPass_4442hex(icdev, "313233"), 0);
}

TEST_F(Sle4442Test, MemoryWriteOpensWithAOneByteReadOfAddressZero) {
    ASSERT_EQ(Verify(kFactoryCode), 0);
    host.ClearLog();
    ASSERT_EQ(IC_Write(icdev, 64, 1, Bytes{0x5A}.data()), 0);
    std::vector<sim::Frame> expected{CommandFrame(0xB5, {0x40, 0x01, 0x5A}),
                                     CommandFrame(0xB4, {0x40, 0x01})};
    // The reduced build writes without the opening read.
    if constexpr (!vexa::kReducedBuild)
        expected.insert(expected.begin(), CommandFrame(0xB4, {0x00, 0x01}));
    EXPECT_EQ(SentFrames(), expected);
}

TEST_F(Sle4442Test, BadArgumentsFailWithoutTouchingTheReader) {
    const Bytes data(250, 0x00);
    EXPECT_EQ(Write_4442(icdev, 0, -1, data.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(Write_4442(icdev, 0, 250, data.data()), VEXA_ERR_LENGTH);  // frame beyond 255 bytes
    EXPECT_EQ(WriteWithProtection_4442(icdev, 0, 1, nullptr), VEXA_ERR_LENGTH);
    EXPECT_EQ(Read_4442(icdev, 0, 1, nullptr), VEXA_ERR_LENGTH);
    EXPECT_EQ(VerifyPin_4442(icdev, nullptr), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_CheckPass_4442hex(icdev, nullptr), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_ReadPass_SLE4442(icdev, nullptr), VEXA_ERR_LENGTH);
    EXPECT_TRUE(Reports().empty());
    EXPECT_EQ(Write_4442(icdev, 0, 249, data.data()), 0);
}

TEST_F(Sle4442Test, ReadsCopyExactlyTheBytesAskedForAndNoFewer) {
    unsigned char out[4] = {7, 7, 7, 7};
    ScriptEcho(0xB4, {1, 2, 3, 4});
    ASSERT_EQ(Read_4442(icdev, 0, 2, out), 0);
    EXPECT_EQ(Bytes(out, out + 4), (Bytes{1, 2, 7, 7}));
    ScriptEcho(0xB4, {5});
    EXPECT_EQ(Read_4442(icdev, 0, 2, out), VEXA_ERR_LENGTH);
    EXPECT_EQ(Bytes(out, out + 4), (Bytes{1, 2, 7, 7}));
}

// 128-byte pieces: one report out and three back for each (132-byte answers),
// every report followed by its 15 ms wait.
TEST_F(Sle4442Test, WholeCardReadMovesEightReports) {
    std::vector<unsigned char> image(256);
    ASSERT_EQ(IC_Read(icdev, 0, 256, image.data()), 0);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), card->memory.main.begin()));
    EXPECT_EQ(sim::CountReports(Reports(), sim::Direction::kToReader), 2u);
    EXPECT_EQ(host.waits, std::vector<int>(8, 15));
}

}  // namespace
