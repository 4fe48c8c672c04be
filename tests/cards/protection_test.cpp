// SPDX-License-Identifier: MIT
// The protection entry points and their twins: SLE4442 protection bits and
// SLE4428 data with protection flags, split into pieces where needed.
#include <string>

#include "sim/card_sle4428.h"
#include "sim/card_sle4442.h"
#include "tests/support/sle_card_fixture.h"

namespace {

using sim_test::Bytes;
using sim_test::CommandFrame;

using Protection4442Test = sim_test::SleCardTest<sim::Sle4442Card, 16>;
using Protection4428Test = sim_test::SleCardTest<sim::Sle4428Card, 4>;

TEST_F(Protection4442Test, BitsUnpackLeastSignificantFirstAndZeroPastTheChip) {
    card->memory.protection = {0xFF, 0x0F, 0x00, 0xF0};
    Bytes out(12, 9);
    ASSERT_EQ(ReadWithProtection_4442(icdev, 8, 8, out.data()), 0);
    EXPECT_EQ(out, (Bytes{1, 1, 1, 1, 0, 0, 0, 0, 9, 9, 9, 9}));
    ASSERT_EQ(IC_ReadProtection(icdev, 0x11C, 6, out.data()), 0);  // 8 bits: entries 28..33
    EXPECT_EQ(out, (Bytes{1, 1, 1, 1, 0, 0, 0, 0, 9, 9, 9, 9}));
    ASSERT_EQ(IC_ReadProtection(icdev, 250, 10, out.data()), 0);  // runs past entry 255
    EXPECT_EQ(out, (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9}));
    EXPECT_EQ(SentFrames().front(), CommandFrame(0xB7, {0x00, 0x04}));
    ScriptEcho(0xB7, {0xFF, 0xFF, 0xFF});
    EXPECT_EQ(IC_ReadProtection(icdev, 0, 4, out.data()), 3);
    EXPECT_EQ(out[0], 0);
}

TEST_F(Protection4442Test, WriteProtectionProtectsTheBytesItIsGiven) {
    ASSERT_EQ(IC_CheckPass_4442hex(icdev, "FFFFFF"), 0);
    host.ClearLog();
    ASSERT_EQ(IC_WriteProtection(icdev, 0x114, 0x101, Bytes{0x5A}.data()), 0);  // 8 bits
    ASSERT_EQ(IC_WriteProtection_Hex(icdev, 9, 1, "ff"), 0);
    EXPECT_EQ(SentFrames(), (std::vector<sim::Frame>{CommandFrame(0xB8, {0x14, 0x01, 0x5A}),
                                                     CommandFrame(0xB8, {0x09, 0x01, 0xFF})}));
    char text[9] = {};
    ASSERT_EQ(IC_ReadProtection_Hex(icdev, 7, 4, text), 0);
    EXPECT_EQ(std::string(text), "00010001");
    EXPECT_EQ(IC_Write(icdev, 0x14, 1, Bytes{0x00}.data()), VEXA_ERR_WRITE_MISMATCH);
}

TEST_F(Protection4442Test, HexTwinsRefuseLengthsBeyondTheirWorkAreas) {
    const std::string hex(2 * 34, 'F');
    EXPECT_EQ(IC_WriteProtection_Hex(icdev, 0, 34, hex.c_str()), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_ReadProtection_Hex(icdev, 0, 4, nullptr), VEXA_ERR_LENGTH);
    EXPECT_TRUE(Reports().empty());
}

TEST_F(Protection4428Test, ReadWithProtectionGivesAllDataThenAllFlagsInPiecesOf64) {
    card->memory.main[65] = 0x65;
    card->memory.writable[129] = 0;
    Bytes out(260);
    ASSERT_EQ(IC_ReadWithProtection(icdev, 0, 130, out.data()), 0);
    EXPECT_EQ(SentFrames(), (std::vector<sim::Frame>{
                                CommandFrame(0xBE, {0x00, 0x00, 64}),
                                CommandFrame(0xBE, {0x40, 0x00, 64}),
                                CommandFrame(0xBE, {0x80, 0x00, 2}),
                            }));
    EXPECT_EQ(Bytes(out.begin() + 64, out.begin() + 66), (Bytes{0xFF, 0x65}));
    EXPECT_EQ(Bytes(out.begin() + 137, out.begin() + 139), (Bytes{'0', '1'}));  // bytes 7, 8
    EXPECT_EQ(Bytes(out.begin() + 258, out.end()), (Bytes{'1', '0'}));
    Bytes three(6);
    ASSERT_EQ(IC_ReadWithProtection(icdev, 6, 3, three.data()), 0);
    EXPECT_EQ(three, (Bytes{0x81, 0x13, 0xFF, '0', '0', '1'}));
}

TEST_F(Protection4428Test, WriteWithProtectionGoesInPiecesOf128WithoutReadBack) {
    ASSERT_EQ(IC_CheckPass_4428hex(icdev, "FFFF"), 0);
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

TEST_F(Protection4428Test, HexReadGivesDataAndFlagCharactersInHexWithinItsWorkArea) {
    card->memory.main[40] = 0xAB;
    card->memory.writable[41] = 0;
    std::string text(4 * 129, 'z');
    ASSERT_EQ(IC_ReadWithProtection_Hex(icdev, 40, 2, text.data()), 0);
    EXPECT_EQ(text.substr(0, 9), "ABFF3130z");
    EXPECT_EQ(IC_ReadWithProtection_Hex(icdev, 0, 129, text.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_ReadWithProtection_Hex(icdev, 0, -1, text.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_WriteWithProtection_Hex(icdev, 0, 1025, std::string(2050, '0').c_str()),
              VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_WriteWithProtection(icdev, -1, 1, Bytes{0}.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(SentFrames().size(), 1u);
    ASSERT_EQ(IC_ReadWithProtection_Hex(icdev, 0, 128, text.data()), 0);
    EXPECT_EQ(text.substr(14, 2), "13");
}

}  // namespace
