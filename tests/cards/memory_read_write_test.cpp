// SPDX-License-Identifier: MIT
// IC_Read, IC_Write and the family-bound memory entry points through the
// public API: how requests are cut into reader commands, how writes are proven,
// and what happens when a piece fails.
#include <algorithm>
#include <string>

#include "sim/card_sle4442.h"
#include "tests/support/serial_card_fixture.h"
#include "vexa/link/build_config.h"

namespace {

using sim_test::Bytes;
using sim_test::CommandFrame;
using sim_test::Pattern;
using sim_test::Slice;

class MemoryReadWriteTest : public sim_test::SerialCardTest {
  protected:
    // Code and data of every command sent, check bytes aside.
    std::vector<std::pair<std::uint8_t, Bytes>> Commands() const {
        std::vector<std::pair<std::uint8_t, Bytes>> out;
        for (const auto& f : SentFrames())
            out.emplace_back(f[1], Bytes(f.begin() + 3, f.end() - 1));
        return out;
    }
    // Code, address low, address high and count of every command sent.
    std::vector<Bytes> Headers() const {
        std::vector<Bytes> out;
        for (const auto& f : SentFrames()) out.push_back({f[1], f[3], f[4], f[5]});
        return out;
    }
};

TEST_F(MemoryReadWriteTest, ReadGoesInPiecesOf128Bytes) {
    auto* card = InsertEeprom(sim::k24C16);
    Bytes out(300, 0);
    ASSERT_EQ(IC_Read(icdev, 0x100, 0, out.data()), 0);
    EXPECT_TRUE(host.log.empty());
    ASSERT_EQ(IC_Read(icdev, 0x100, 128, out.data()), 0);
    EXPECT_EQ(SentFrames(), std::vector<sim::Frame>{CommandFrame(0xB0, {0x00, 0x01, 128})});
    host.ClearLog();
    ASSERT_EQ(IC_Read(icdev, 0x100, 129, out.data()), 0);
    EXPECT_EQ(Headers(), (std::vector<Bytes>{{0xB0, 0x00, 0x01, 128}, {0xB0, 0x80, 0x01, 1}}));
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 129), Slice(card->memory(), 0x100, 129));
}

TEST_F(MemoryReadWriteTest, OnlyTheLow16BitsOfOffsetAndLengthCount) {
    InsertEeprom(sim::k24C02);
    Bytes out(8, 0);
    ASSERT_EQ(IC_Read(icdev, 0x50010, 0x30005, out.data()), 0);
    EXPECT_EQ(Headers(), (std::vector<Bytes>{{0xB0, 0x10, 0x00, 5}}));
}

TEST_F(MemoryReadWriteTest, FamiliesWithoutPlainMemoryAreRefusedUnsent) {
    Bytes buf(4, 0);
    for (std::int32_t type : {VEXA_TYPE_45DB041, VEXA_TYPE_CPU}) {
        reader().Insert(std::make_unique<sim::Flash45DB041Card>());
        ASSERT_EQ(IC_InitType(icdev, type), 0);
        host.ClearLog();
        EXPECT_EQ(IC_Read(icdev, 0, 4, buf.data()), VEXA_ERR_CARD_TYPE) << type;
        EXPECT_EQ(IC_Write(icdev, 0, 4, buf.data()), VEXA_ERR_CARD_TYPE) << type;
        EXPECT_EQ(IC_Write_Hex(icdev, 0, 2, "ABCD"), VEXA_ERR_CARD_TYPE) << type;
        EXPECT_EQ(vexa::LastError(), VEXA_ERR_CARD_TYPE);
        EXPECT_TRUE(host.log.empty());
    }
}

TEST_F(MemoryReadWriteTest, Write24CompletesAnUnalignedFirstPageThenVerifiesEachPiece) {
    auto* card = InsertEeprom(sim::k24C02);
    const Bytes data = Pattern(10, 0x40);
    ASSERT_EQ(IC_Write24(icdev, 5, 10, data.data()), 0);
    EXPECT_EQ(Commands(), (std::vector<std::pair<std::uint8_t, Bytes>>{
                              {0xB1, {5, 0, 3, 0x40, 0x43, 0x46}},
                              {0xB0, {5, 0, 3}},
                              {0xB1, {8, 0, 7, 0x49, 0x4C, 0x4F, 0x52, 0x55, 0x58, 0x5B}},
                              {0xB0, {8, 0, 7}},
                          }));
    EXPECT_EQ(Slice(card->memory(), 5, 10), data);

    host.ClearLog();  // a request ending inside its first page stays whole
    ASSERT_EQ(IC_Write24(icdev, 5, 3, data.data()), 0);
    EXPECT_EQ(Headers(), (std::vector<Bytes>{{0xB1, 5, 0, 3}, {0xB0, 5, 0, 3}}));
}

TEST_F(MemoryReadWriteTest, Write64LeavesThePieceCompletingThePageUnverified) {
    auto* card = InsertEeprom(sim::k24C64, VEXA_TYPE_24C64);
    const Bytes data = Pattern(40, 0x10);
    ASSERT_EQ(IC_Write(icdev, 30, 40, data.data()), 0);  // 24C64 selected: IC_Write64
    EXPECT_EQ(Headers(),
              (std::vector<Bytes>{{0xB3, 30, 0, 2}, {0xB3, 32, 0, 38}, {0xB2, 32, 0, 38}}));
    EXPECT_EQ(Slice(card->memory(), 30, 40), data);
}

TEST_F(MemoryReadWriteTest, WriteReadBackThatDiffersGivesMinus19) {
    // A 24C64 taken for a one-byte-address card acknowledges the write, but
    // the byte does not land where it was sent.
    auto* card = InsertEeprom(sim::k24C64, VEXA_TYPE_24C);
    const Bytes before = Slice(card->memory(), 0, card->memory().size());
    const unsigned char byte = 0x63;
    EXPECT_EQ(IC_Write(icdev, 0, 1, &byte), VEXA_ERR_WRITE_MISMATCH);
    EXPECT_EQ(vexa::LastError(), VEXA_ERR_WRITE_MISMATCH);
    EXPECT_EQ(Headers(), (std::vector<Bytes>{{0xB1, 0, 0, 1}, {0xB0, 0, 0, 1}}));
    EXPECT_EQ(Slice(card->memory(), 0, card->memory().size()), before);
}

TEST_F(MemoryReadWriteTest, FailingPieceEndsTheWriteAndKeepsThePiecesBefore) {
    auto* card = InsertEeprom(sim::k24C02);
    const Bytes data = Pattern(300, 0x21);
    EXPECT_EQ(IC_Write(icdev, 0, 300, data.data()), 0x61D8);  // no block at 256
    EXPECT_EQ(vexa::LastError(), 0x61D8);
    EXPECT_EQ(Slice(card->memory(), 0, 256), Bytes(data.begin(), data.begin() + 256));
    EXPECT_EQ(SentFrames().size(), 5u);  // two verified pieces, then the refused one
}

TEST_F(MemoryReadWriteTest, SmallestEepromAliasesAddressesFrom128) {
    auto* card = InsertEeprom(sim::k24C01);
    ASSERT_EQ(IC_Write(icdev, 130, 2, Bytes{'W', 'P'}.data()), 0);
    Bytes out(2, 0);
    ASSERT_EQ(IC_Read(icdev, 2, 2, out.data()), 0);
    EXPECT_EQ(out, (Bytes{'W', 'P'}));
    EXPECT_EQ(Slice(card->memory(), 2, 2), out);
}

TEST_F(MemoryReadWriteTest, Whole24C16WritesWithVerificationIn16Pieces) {
    auto* card = InsertEeprom(sim::k24C16);
    const Bytes data = Pattern(2048, 0x5A);
    ASSERT_EQ(IC_Write(icdev, 0, 2048, data.data()), 0);
    EXPECT_EQ(Slice(card->memory(), 0, 2048), data);
    // Per piece: a 135-byte write (3 reports), its answer (1), a 7-byte read
    // (1) and its 132-byte answer (3).
    EXPECT_EQ(SentFrames().size(), 32u);
    EXPECT_EQ(host.log.size(), 16u * 8);
    Bytes back(2048, 0);
    ASSERT_EQ(IC_Read(icdev, 0, 2048, back.data()), 0);
    EXPECT_EQ(back, data);
}

TEST_F(MemoryReadWriteTest, DirectReadKeepsThePageAndAdvancesTheOffset) {
    auto* card = InsertFlash();
    Bytes out(300, 0);
    ASSERT_EQ(IC_DirectRead(icdev, 5, 0, 300, out.data()), 0);
    EXPECT_EQ(SentFrames(), (std::vector<sim::Frame>{CommandFrame(0xAE, {0, 5, 0, 0, 140}),
                                                     CommandFrame(0xAE, {0, 5, 0, 140, 140}),
                                                     CommandFrame(0xAE, {0, 5, 0x01, 0x18, 20})}));
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 264), Slice(card->page(5), 0, 264));
}

TEST_F(MemoryReadWriteTest, DirectWriteSendsPiecesWithoutReadingBack) {
    auto* card = InsertFlash();
    const Bytes data = Pattern(150, 0x33);
    ASSERT_EQ(IC_DirectWrite(icdev, 2047, 100, 150, data.data()), 0);
    EXPECT_EQ(Headers(), (std::vector<Bytes>{{0xAF, 0x07, 0xFF, 0}, {0xAF, 0x07, 0xFF, 0}}));
    const auto frames = SentFrames();
    EXPECT_EQ(Bytes(frames[1].begin() + 3, frames[1].begin() + 8),
              (Bytes{0x07, 0xFF, 0x00, 240, 10}));
    EXPECT_EQ(Slice(card->page(2047), 100, 150), data);
}

TEST_F(MemoryReadWriteTest, Sle4442WriteIsProvenByReadingBack) {
    auto* card = Insert<sim::Sle4442Card>(16);
    const Bytes code{0xFF, 0xFF, 0xFF};
    ASSERT_EQ(IC_CheckPass_SLE4442(icdev, code.data()), 0);
    host.ClearLog();
    const Bytes data = Pattern(3, 0x70);
    ASSERT_EQ(IC_Write(icdev, 0x40, 3, data.data()), 0);
    std::vector<sim::Frame> expected{CommandFrame(0xB5, {0x40, 3, 0x70, 0x73, 0x76}),
                                     CommandFrame(0xB4, {0x40, 3})};
    // The full build opens with a one-byte read of address 0.
    if constexpr (!vexa::kReducedBuild)
        expected.insert(expected.begin(), CommandFrame(0xB4, {0, 1}));
    EXPECT_EQ(SentFrames(), expected);
    EXPECT_EQ(Slice(card->memory.main, 0x40, 3), data);

    // Factory bytes are protected: the card ignores the write.
    EXPECT_EQ(IC_Write(icdev, 2, 2, data.data()), VEXA_ERR_WRITE_MISMATCH);
}

TEST_F(MemoryReadWriteTest, Sle4442WriteWithoutTheCodeIsCaughtByTheReadBack) {
    auto* card = Insert<sim::Sle4442Card>(16);
    const Bytes before = Slice(card->memory.main, 0, 256);
    EXPECT_EQ(IC_Write(icdev, 0x80, 4, Pattern(4, 1).data()), VEXA_ERR_WRITE_MISMATCH);
    EXPECT_EQ(Slice(card->memory.main, 0, 256), before);
}

TEST_F(MemoryReadWriteTest, BadRequestsAreRefusedWithoutReaderTraffic) {
    InsertEeprom(sim::k24C16);
    Bytes buf(8, 0);
    EXPECT_EQ(IC_Read(icdev, -1, 1, buf.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_Read(icdev, 0, -1, buf.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_Read(icdev, 0, 1, nullptr), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_Write(icdev, 0xFFFF, 1, buf.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_Write(icdev, 0, 1, nullptr), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_Write24(icdev, 0, -8, buf.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_Write64(icdev, -32, 8, buf.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_DirectRead(icdev, -1, 0, 1, buf.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_DirectRead(icdev, 0, 0, 1, nullptr), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_DirectWrite(icdev, 0, -1, 1, buf.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(vexa::LastError(), VEXA_ERR_LENGTH);
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(IC_Read(icdev, 0, 0, nullptr), 0);  // nothing asked, nothing needed
}

TEST_F(MemoryReadWriteTest, HexTwinsCarryUpperCaseTextWithinTheirWorkAreas) {
    auto* card = InsertEeprom(sim::k24C16);
    ASSERT_EQ(IC_Write_Hex(icdev, 0x10, 3, "a1B2c3"), 0);
    EXPECT_EQ(Slice(card->memory(), 0x10, 3), (Bytes{0xA1, 0xB2, 0xC3}));
    ASSERT_EQ(IC_Write24_Hex(icdev, 0x20, 1, "7f"), 0);
    std::string text(8, '*');
    ASSERT_EQ(IC_Read_Hex(icdev, 0x10, 3, text.data()), 0);
    EXPECT_EQ(text, "A1B2C3**");

    host.ClearLog();
    std::string big(2 * 10241, '0');
    EXPECT_EQ(IC_Read_Hex(icdev, 0, 1026, big.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_Write_Hex(icdev, 0, 1026, big.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_Write24_Hex(icdev, 0, 2049, big.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_Write64_Hex(icdev, 0, 10241, big.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_DirectRead_Hex(icdev, 0, 0, 301, big.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_DirectWrite_Hex(icdev, 0, 0, 301, big.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_Read_Hex(icdev, 0, -1, big.data()), VEXA_ERR_LENGTH);
    EXPECT_EQ(IC_Write_Hex(icdev, 0, 1, nullptr), VEXA_ERR_LENGTH);
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(IC_Write_Hex(icdev, 0, 1025, big.data()), 0);  // a work area's own size
    EXPECT_EQ(IC_Read_Hex(icdev, 0, 1025, big.data()), 0);

    reader().faults.answer_word = 0x61D8;
    EXPECT_EQ(IC_Read_Hex(icdev, 0, 2, text.data()), 0x61D8);
    EXPECT_EQ(text, "A1B2C3**");  // a failed read writes no text
}

TEST_F(MemoryReadWriteTest, FlashHexTwinsReachTheWholeWorkArea) {
    auto* card = InsertFlash();
    const std::string text(600, 'C');
    ASSERT_EQ(IC_DirectWrite_Hex(icdev, 3, 0, 300, text.c_str()), 0);
    EXPECT_EQ(Slice(card->page(3), 40, 224), Bytes(224, 0xCC));
    std::string back(600, '*');
    ASSERT_EQ(IC_DirectRead_Hex(icdev, 2047, 0, 300, back.data()), 0);
    EXPECT_EQ(back.substr(0, 16), "5041474520323034");  // "PAGE 204"
}

}  // namespace
