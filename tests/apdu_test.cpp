// The pure rules of the CPU card channel: APDU cases, T=1 blocks, the ATR.
#include "vexa/link/apdu.h"

#include <gtest/gtest.h>

#include <vector>

#include "vexa/link/atr.h"
#include "vexa/link/status.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes BodyOf(const Bytes& apdu) {
    vexa::ApduBytes body;
    EXPECT_EQ(vexa::BuildBody(apdu, body), vexa::kOk);
    const auto view = body.View();
    return {view.begin(), view.end()};
}

std::int32_t StatusOf(const Bytes& apdu) {
    vexa::ApduBytes body;
    return vexa::BuildBody(apdu, body);
}

Bytes Content(const Bytes& block) {
    const auto content = vexa::T1AnswerContent(block);
    return {content.begin(), content.end()};
}

}  // namespace

TEST(ApduBody, EachCaseBecomesHeaderP3AndData) {
    // case 1: P3 0
    EXPECT_EQ(BodyOf({0x00, 0x70, 0x00, 0x00}), (Bytes{0x00, 0x70, 0x00, 0x00, 0x00}));
    // case 2: P3 = Le
    EXPECT_EQ(BodyOf({0x00, 0x84, 0x00, 0x00, 0x08}), (Bytes{0x00, 0x84, 0x00, 0x00, 0x08}));
    // case 3: P3 = Lc, then the data
    EXPECT_EQ(BodyOf({0x00, 0xD6, 0x00, 0x02, 0x02, 0xAA, 0xBB}),
              (Bytes{0x00, 0xD6, 0x00, 0x02, 0x02, 0xAA, 0xBB}));
    // case 4: Le dropped
    EXPECT_EQ(BodyOf({0x00, 0xA4, 0x00, 0x00, 0x01, 0x3F, 0x20}),
              (Bytes{0x00, 0xA4, 0x00, 0x00, 0x01, 0x3F}));
    // case 4 with Lc 0: Le takes the place of P3
    EXPECT_EQ(BodyOf({0x00, 0xB0, 0x00, 0x00, 0x00, 0x10}), (Bytes{0x00, 0xB0, 0x00, 0x00, 0x10}));
}

TEST(ApduBody, LongestApduKeepsAllItsData) {
    Bytes apdu{0x00, 0xD6, 0x00, 0x00, 250};
    apdu.resize(255, 0x5A);
    EXPECT_EQ(BodyOf(apdu), apdu);
}

TEST(ApduBody, LengthsMatchingNoCaseAreRefused) {
    EXPECT_EQ(StatusOf({}), vexa::kApduLength);
    EXPECT_EQ(StatusOf({0x00, 0x84, 0x00}), vexa::kApduLength);
    // Lc 2 with two further bytes: neither case 3 (7 bytes) nor case 4 (8)
    EXPECT_EQ(StatusOf({0x00, 0xA4, 0x00, 0x00, 0x02, 0x3F, 0x00, 0x01, 0x02}), vexa::kApduLength);
    // Lc promises more data than there are
    EXPECT_EQ(StatusOf({0x00, 0xD6, 0x00, 0x00, 0x05, 0xAA}), vexa::kApduLength);
    EXPECT_EQ(StatusOf({0x00, 0xB0, 0x00, 0x00, 0x00, 0x10, 0x11}), vexa::kApduLength);
}

TEST(T1Block, WrapsBodyWithNadPcbLenAndLrc) {
    const Bytes body{0x00, 0x84, 0x00, 0x00, 0x08};
    const vexa::ApduBytes block = vexa::BuildT1Block(body, 0x40);
    EXPECT_EQ(Bytes(block.View().begin(), block.View().end()),
              (Bytes{0x00, 0x40, 0x05, 0x00, 0x84, 0x00, 0x00, 0x08, 0xC9}));
}

TEST(T1Answer, InformationBlocksAreUnwrapped) {
    EXPECT_EQ(Content({0x00, 0x00, 0x02, 0x90, 0x00, 0x92}), (Bytes{0x90, 0x00}));
    EXPECT_EQ(Content({0x00, 0x40, 0x02, 0x6D, 0x00, 0x2F}), (Bytes{0x6D, 0x00}));
    // the LRC is not checked, nor needed
    EXPECT_EQ(Content({0x00, 0x40, 0x01, 0x55}), (Bytes{0x55}));
}

TEST(T1Answer, EverythingElseComesBackRaw) {
    const Bytes chained{0x00, 0x20, 0x02, 0x11, 0x22, 0x11};
    const Bytes receive_ready{0x00, 0x81, 0x00, 0x81};
    const Bytes len_too_long{0x00, 0x00, 0x09, 0x90, 0x00, 0x99};
    const Bytes headless{0x00, 0x40};
    EXPECT_EQ(Content(chained), chained);
    EXPECT_EQ(Content(receive_ready), receive_ready);
    EXPECT_EQ(Content(len_too_long), len_too_long);
    EXPECT_EQ(Content(headless), headless);
    EXPECT_EQ(Content({}), Bytes{});
}

TEST(AtrProtocol, OnlyTd1NamingT1SelectsT1) {
    using vexa::ProtocolOfAtr;
    EXPECT_EQ(ProtocolOfAtr(Bytes{0x3B, 0x60, 0x00, 0x00}), vexa::kProtocolT0);
    EXPECT_EQ(ProtocolOfAtr(Bytes{0x3B, 0x80, 0x81, 0x31, 0xFE, 0x45, 0x8B}), vexa::kProtocolT1);
    // TD1 after TA1: T=0; T=1 offered only in TD2 does not count
    EXPECT_EQ(ProtocolOfAtr(Bytes{0x3B, 0x90, 0x11, 0x80, 0x01, 0x00}), vexa::kProtocolT0);
    // TD1 after TA1, TB1, TC1
    EXPECT_EQ(ProtocolOfAtr(Bytes{0x3B, 0xF0, 0x11, 0x00, 0xFF, 0x81, 0x31}), vexa::kProtocolT1);
    EXPECT_EQ(ProtocolOfAtr(Bytes{0x3B, 0xF0, 0x11, 0x00, 0xFF, 0x80, 0x31}), vexa::kProtocolT0);
}

TEST(AtrProtocol, AtrEndingBeforeTd1IsT0) {
    using vexa::ProtocolOfAtr;
    EXPECT_EQ(ProtocolOfAtr(Bytes{}), vexa::kProtocolT0);
    EXPECT_EQ(ProtocolOfAtr(Bytes{0x3B}), vexa::kProtocolT0);
    EXPECT_EQ(ProtocolOfAtr(Bytes{0x3B, 0x80}), vexa::kProtocolT0);
    EXPECT_EQ(ProtocolOfAtr(Bytes{0x3B, 0xF0, 0x11, 0x00, 0xFF}), vexa::kProtocolT0);
}
