// SPDX-License-Identifier: MIT
// Edges of the CPU card channel's pure rules that the scenario tests do not
// reach: unusual APDU lengths, ATR layouts, T=1 answers too short to unwrap.
#include "vexa/link/apdu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "vexa/link/atr.h"
#include "vexa/link/status.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::int32_t BodyOf(const Bytes& apdu, Bytes& body) {
    vexa::ApduBytes out;
    const std::int32_t st = vexa::BuildBody(apdu, out);
    body.assign(out.View().begin(), out.View().end());
    return st;
}

}  // namespace

TEST(ApduBody, UnusualLengths) {
    Bytes body;
    // case 4 with Lc 0: Le takes the place of P3
    EXPECT_EQ(BodyOf({0x00, 0xB0, 0x00, 0x00, 0x00, 0x10}, body), vexa::kOk);
    EXPECT_EQ(body, (Bytes{0x00, 0xB0, 0x00, 0x00, 0x10}));
    // the longest APDU keeps all its data
    const Bytes header{0x00, 0xD6, 0x00, 0x00, 250};
    Bytes longest(255, 0x5A);
    std::copy(header.begin(), header.end(), longest.begin());
    EXPECT_EQ(BodyOf(longest, body), vexa::kOk);
    EXPECT_EQ(body, longest);
    // Lc promising more data than there are; Lc 0 followed by two bytes
    EXPECT_EQ(BodyOf({0x00, 0xD6, 0x00, 0x00, 0x05, 0xAA}, body), vexa::kApduLength);
    EXPECT_EQ(BodyOf({0x00, 0xB0, 0x00, 0x00, 0x00, 0x10, 0x11}, body), vexa::kApduLength);
    EXPECT_EQ(BodyOf({}, body), vexa::kApduLength);
}

TEST(T1Answer, BlocksTooShortToUnwrapComeBackRaw) {
    const Bytes receive_ready{0x00, 0x81, 0x00, 0x81};
    const Bytes headless{0x00, 0x40};
    const auto raw = [](const Bytes& block) {
        const auto content = vexa::T1AnswerContent(block);
        return Bytes(content.begin(), content.end());
    };
    EXPECT_EQ(raw(receive_ready), receive_ready);
    EXPECT_EQ(raw(headless), headless);
    EXPECT_EQ(raw({}), Bytes{});
    EXPECT_EQ(raw({0x00, 0x40, 0x01, 0x55}), (Bytes{0x55}));  // no LRC needed
}

TEST(AtrProtocol, Td1IsFoundBehindTaTbTc) {
    using vexa::ProtocolOfAtr;
    EXPECT_EQ(ProtocolOfAtr(Bytes{0x3B, 0xF0, 0x11, 0x00, 0xFF, 0x81, 0x31}), vexa::kProtocolT1);
    EXPECT_EQ(ProtocolOfAtr(Bytes{0x3B, 0xF0, 0x11, 0x00, 0xFF, 0x80, 0x31}), vexa::kProtocolT0);
    EXPECT_EQ(ProtocolOfAtr(Bytes{0x3B, 0xA0, 0x00, 0x91}), vexa::kProtocolT1);
}

TEST(AtrProtocol, AtrEndingBeforeTd1IsT0) {
    using vexa::ProtocolOfAtr;
    EXPECT_EQ(ProtocolOfAtr(Bytes{}), vexa::kProtocolT0);
    EXPECT_EQ(ProtocolOfAtr(Bytes{0x3B}), vexa::kProtocolT0);
    EXPECT_EQ(ProtocolOfAtr(Bytes{0x3B, 0xF0, 0x11, 0x00, 0xFF}), vexa::kProtocolT0);
}
