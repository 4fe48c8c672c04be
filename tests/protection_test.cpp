// The protection entry points and their twins: SLE4442 protection bits and
// SLE4428 data with protection flags, split into pieces where needed.
#include <string>

#include "sim/card_sle4428.h"
#include "sim/card_sle4442.h"
#include "sle_card_fixture.h"

namespace {

using sim_test::Bytes;
using sim_test::CommandFrame;

class Protection4442Test : public sim_test::SleCardTest<sim::Sle4442Card, 16> {
  protected:
    void Open() { ASSERT_EQ(IC_CheckPass_4442hex(icdev, "FFFFFF"), 0); }
};

class Protection4428Test : public sim_test::SleCardTest<sim::Sle4428Card, 4> {
  protected:
    void Open() { ASSERT_EQ(IC_CheckPass_4428hex(icdev, "FFFF"), 0); }
};

TEST_F(Protection4442Test, BitsUnpackLeastSignificantFirstFromTheRequestedEntry) {
    card->memory.protection = {0xFF, 0x0F, 0x00, 0x00};
    unsigned char out[8] = {};
    ASSERT_EQ(ReadWithProtection_4442(icdev, 8, 8, out), 0);
    EXPECT_EQ(Bytes(out, out + 8), (Bytes{1, 1, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(SentFrames(), (std::vector<sim::Frame>{CommandFrame(0xB7, {0x00, 0x04})}));
}

TEST_F(Protection4442Test, EntriesPastTheChipReadAsZeroWithoutReadingBeyondTheTable) {
    card->memory.protection = {0xFF, 0xFF, 0xFF, 0xFF};
    Bytes out(12, 9);
    ASSERT_EQ(ReadWithProtection_4442(icdev, 28, 8, out.data()), 0);
    EXPECT_EQ(out, (Bytes{1, 1, 1, 1, 0, 0, 0, 0, 9, 9, 9, 9}));
    ASSERT_EQ(IC_ReadProtection(icdev, 250, 10, out.data()), 0);  // runs past entry 255
    EXPECT_EQ(out, (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9}));
}

TEST_F(Protection4442Test, ProtectionMemoryAnswersOfTheWrongSizeAreRefused) {
    unsigned char out[4] = {9, 9, 9, 9};
    ScriptEcho(0xB7, {0xFF, 0xFF, 0xFF});
    EXPECT_EQ(IC_ReadProtection(icdev, 0, 4, out), 3);
    EXPECT_EQ(Bytes(out, out + 4), (Bytes{9, 9, 9, 9}));
}

TEST_F(Protection4442Test, WriteProtectionProtectsTheBytesItIsGiven) {
    Open();
    host.ClearLog();
    const Bytes data{0x5A};
    ASSERT_EQ(IC_WriteProtection(icdev, 0x114, 0x101, data.data()), 0);  // 8 bits of each
    EXPECT_EQ(SentFrames(), (std::vector<sim::Frame>{CommandFrame(0xB8, {0x14, 0x01, 0x5A})}));
    unsigned char state[32] = {};
    ASSERT_EQ(IC_ReadProtection(icdev, 0, 32, state), 0);
    for (int i = 0; i < 32; ++i) EXPECT_EQ(state[i], i < 8 || i == 0x14 ? 0 : 1) << i;
    EXPECT_EQ(IC_Write(icdev, 0x14, 1, Bytes{0x00}.data()), -19);
}

TEST_F(Protection4442Test, HexTwinsAreBoundByTheirWorkAreas) {
    char text[64] = {};
    ASSERT_EQ(IC_ReadProtection_Hex(icdev, 6, 4, text), 0);
    EXPECT_EQ(std::string(text), "00000101");
    std::string hex(2 * 34, 'F');
    EXPECT_EQ(IC_WriteProtection_Hex(icdev, 0, 34, hex.c_str()), -20);
    EXPECT_EQ(IC_ReadProtection_Hex(icdev, 0, 4, nullptr), -20);
    EXPECT_EQ(SentFrames().size(), 1u);
    Open();
    ASSERT_EQ(IC_WriteProtection_Hex(icdev, 8, 1, "ff"), 0);
    EXPECT_EQ(SentFrames().back(), CommandFrame(0xB8, {0x08, 0x01, 0xFF}));
    EXPECT_FALSE(card->Writable(8));
}

TEST_F(Protection4428Test, ReadWithProtectionGivesAllDataThenAllFlags) {
    card->memory.main[11] = 0x42;
    card->memory.writable[12] = 0;
    unsigned char out[6] = {};
    ASSERT_EQ(IC_ReadWithProtection(icdev, 10, 3, out), 0);
    EXPECT_EQ(Bytes(out, out + 6), (Bytes{0xFF, 0x42, 0xFF, '1', '1', '0'}));
}

TEST_F(Protection4428Test, LongReadsGoInPiecesOfSixtyFourWithFlagsAfterAllData) {
    card->memory.main[65] = 0x65;
    card->memory.writable[129] = 0;
    Bytes out(260);
    ASSERT_EQ(IC_ReadWithProtection(icdev, 0, 130, out.data()), 0);
    EXPECT_EQ(SentFrames(), (std::vector<sim::Frame>{
                                CommandFrame(0xBE, {0x00, 0x00, 64}),
                                CommandFrame(0xBE, {0x40, 0x00, 64}),
                                CommandFrame(0xBE, {0x80, 0x00, 2}),
                            }));
    EXPECT_EQ(out[7], 0x13);
    EXPECT_EQ(out[65], 0x65);
    EXPECT_EQ(out[130 + 7], '0');  // factory header
    EXPECT_EQ(out[130 + 65], '1');
    EXPECT_EQ(out[259], '0');
}

TEST_F(Protection4428Test, WriteWithProtectionGoesInPiecesOfOneHundredTwentyEightUnread) {
    Open();
    host.ClearLog();
    Bytes data(130);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i);
    ASSERT_EQ(IC_WriteWithProtection(icdev, 300, 130, data.data()), 0);
    const auto frames = SentFrames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(Bytes(frames[0].begin() + 3, frames[0].begin() + 6), (Bytes{0x2C, 0x01, 128}));
    EXPECT_EQ(frames[1], CommandFrame(0xBF, {0xAC, 0x01, 2, 128, 129}));
    EXPECT_EQ(card->memory.main[429], 129);
    EXPECT_EQ(card->memory.writable[300], 0);
}

TEST_F(Protection4428Test, HexReadGivesDataAndFlagCharactersInHex) {
    card->memory.main[40] = 0xAB;
    card->memory.writable[41] = 0;
    char text[9] = {};
    ASSERT_EQ(IC_ReadWithProtection_Hex(icdev, 40, 2, text), 0);
    EXPECT_EQ(std::string(text), "ABFF3130");
}

TEST_F(Protection4428Test, HexTwinsRefuseLengthsBeyondTheirWorkAreas) {
    std::string text(4 * 129, 'z');
    EXPECT_EQ(IC_ReadWithProtection_Hex(icdev, 0, 129, text.data()), -20);
    EXPECT_EQ(IC_ReadWithProtection_Hex(icdev, 0, -1, text.data()), -20);
    EXPECT_EQ(text, std::string(4 * 129, 'z'));
    const std::string hex(2 * 1025, '0');
    EXPECT_EQ(IC_WriteWithProtection_Hex(icdev, 0, 1025, hex.c_str()), -20);
    EXPECT_EQ(IC_WriteWithProtection(icdev, -1, 1, Bytes{0}.data()), -20);
    EXPECT_EQ(IC_ReadWithProtection(icdev, 0, 1, nullptr), -20);
    EXPECT_TRUE(Reports().empty());
    ASSERT_EQ(IC_ReadWithProtection_Hex(icdev, 0, 128, text.data()), 0);
    EXPECT_EQ(text.substr(14, 2), "13");
}

TEST_F(Protection4428Test, EntryPointsAddressTheirFamilyWhateverIsSelected) {
    ASSERT_EQ(IC_InitType(icdev, 12), 0);
    unsigned char out[2] = {};
    IC_ReadWithProtection(icdev, 0, 1, out);
    IC_ReadProtection(icdev, 0, 1, out);
    EXPECT_EQ(SentFrames(), (std::vector<sim::Frame>{CommandFrame(0xBE, {0, 0, 1}),
                                                     CommandFrame(0xB7, {0x00, 0x04})}));
}

}  // namespace
