// SPDX-License-Identifier: MIT
// CPU and module cards through the public API against the simulated card:
// reset and the protocol taken from the ATR, APDU cases, T=0 bodies and T=1
// blocks on the wire, and the raw answers.
#include <functional>
#include <memory>
#include <string>

#include "sim/card_cpu.h"
#include "tests/support/sim_fixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr char kOkText[] = "\xD6\xB4\xD0\xD0\xB3\xC9\xB9\xA6";  // "执行成功"

const Bytes kGetChallenge{0x00, 0x84, 0x00, 0x00, 0x08};

Bytes Frame(Bytes bytes) {
    std::uint8_t check = 0;
    for (const std::uint8_t b : bytes) check ^= b;
    bytes.push_back(check);
    return bytes;
}

class CpuChannel : public SimReaderTest {
  protected:
    sim::CpuCard& Insert(sim::CpuProfile profile = sim::CpuT0Profile()) {
        auto card = std::make_unique<sim::CpuCard>(std::move(profile));
        sim::CpuCard& ref = *card;
        reader().Insert(std::move(card));
        return ref;
    }
    // Resets the card; returns the ATR.
    Bytes Reset() {
        unsigned char len = 0;
        Bytes atr(255);
        EXPECT_EQ(IC_CpuReset(icdev, &len, atr.data()), 0);
        atr.resize(len);
        return atr;
    }
    // The card's answer; EXPECTs success.
    Bytes Apdu(const Bytes& apdu) {
        unsigned char len = 0;
        Bytes response(255);
        EXPECT_EQ(IC_CpuApdu(icdev, static_cast<int32_t>(apdu.size()), apdu.data(), &len,
                             response.data()),
                  0);
        response.resize(len);
        return response;
    }
    std::int16_t ApduStatus(const Bytes& apdu, std::int32_t slen) {
        unsigned char len = 0;
        unsigned char response[255];
        return IC_CpuApdu(icdev, slen, apdu.data(), &len, response);
    }
    Bytes LastFrame() const { return SentFrames().back(); }
    Bytes StatusWord(const Bytes& answer) const { return Bytes(answer.end() - 2, answer.end()); }
};

}  // namespace

TEST_F(CpuChannel, ProtocolComesFromTd1Only) {
    const std::pair<Bytes, int> cases[] = {
        {{0x3B, 0x60, 0x00, 0x00}, 0},              // no TD1
        {sim::CpuT1Profile().atr, 1},               // TD1 = 0x81
        {{0x3B, 0x90, 0x11, 0x80, 0x01, 0x00}, 0},  // TD1 = 0x80, T=1 only in TD2
        // T0 = 0x89 announces a TD1 that is missing; the byte after the ATR
        // is the frame's check byte 0x01, which would read as T=1
        {{0x3B, 0x89}, 0},
    };
    for (const auto& [atr, protocol] : cases) {
        Insert({atr, sim::CpuProtocol::kT0});
        host.ClearLog();
        EXPECT_EQ(Reset(), atr);
        EXPECT_EQ(SentFrames(), std::vector<Bytes>{Frame({0x21, 0xA3, 0x00})});
        EXPECT_EQ(IC_CpuGetProtocol(icdev), protocol) << int(atr[1]);
    }
    vexa::SetLastError(vexa::kLengthError);
    IC_CpuGetProtocol(icdev);
    char text[32] = {};
    IC_GetLastError(text);
    EXPECT_EQ(std::string(text), kOkText);
}

TEST_F(CpuChannel, EveryResetVariantResetsTheCard) {
    Insert();
    const Bytes atr = sim::CpuT0Profile().atr;
    using Reset = std::int16_t(VEXA_CALL*)(int32_t, unsigned char*, unsigned char*);
    for (const Reset reset : {IC_CpuReset, IC_CpuColdReset, IC_CpuHotReset}) {
        unsigned char len = 0;
        Bytes out(255);
        EXPECT_EQ(reset(icdev, &len, out.data()), 0);
        EXPECT_EQ(Bytes(out.begin(), out.begin() + len), atr);
    }
    using HexReset = std::int16_t(VEXA_CALL*)(int32_t, unsigned char*, char*);
    for (const HexReset reset : {IC_CpuReset_Hex, IC_CpuColdReset_Hex, IC_CpuHotReset_Hex}) {
        unsigned char len = 0;
        std::string text(2 * atr.size() + 1, 'z');
        EXPECT_EQ(reset(icdev, &len, text.data()), 0);
        EXPECT_EQ(len, atr.size());
        EXPECT_EQ(text,
                  "3B6C0000"
                  "53494D2D434F53205631"
                  "2E30z");
    }
}

TEST_F(CpuChannel, ModuleCardTypesUseTheirOwnCodes) {
    Insert();
    ASSERT_EQ(IC_InitType(icdev, VEXA_TYPE_SAM1), 0);
    Reset();
    Apdu(kGetChallenge);
    EXPECT_EQ(SentFrames(),
              (std::vector<Bytes>{Frame({0x21, 0xA8, 0x00}),
                                  Frame({0x21, 0xA9, 0x05, 0x00, 0x84, 0x00, 0x00, 0x08})}));
}

TEST_F(CpuChannel, RefusedResetChangesNothing) {
    Insert(sim::CpuT1Profile());
    Reset();
    Apdu(kGetChallenge);  // sequence bit now 0x40
    reader().Remove();
    unsigned char len = 0x77;
    Bytes atr(255, 0x55);
    EXPECT_EQ(IC_CpuReset(icdev, &len, atr.data()), 0x61D8);
    EXPECT_EQ(len, 0x77);
    EXPECT_EQ(atr, Bytes(255, 0x55));
    EXPECT_EQ(IC_CpuGetProtocol(icdev), 1);
    EXPECT_EQ(vexa::CurrentCpuState().send_sequence, 0x40);

    std::string text = "untouched";
    EXPECT_EQ(IC_CpuReset_Hex(icdev, &len, text.data()), 0x61D8);
    EXPECT_EQ(text, "untouched");
}

// An answer without the echo whose word reads 0000 is still a refusal: it must
// neither pass for success nor leave its bytes as ATR or response.
TEST_F(CpuChannel, RefusalWithWordZeroIsAFailureAndChangesNothing) {
    Insert(sim::CpuT1Profile());
    Reset();
    Apdu(kGetChallenge);  // sequence bit now 0x40
    unsigned char len = 0x77;
    Bytes out(255, 0x55);
    reader().faults.answer_word = 0x0000;
    EXPECT_EQ(IC_CpuReset(icdev, &len, out.data()), vexa::kLengthError);
    EXPECT_EQ(IC_CpuGetProtocol(icdev), 1);
    EXPECT_EQ(vexa::CurrentCpuState().send_sequence, 0x40);
    reader().faults.answer_word = 0x0000;
    EXPECT_EQ(IC_CpuApdu(icdev, 5, kGetChallenge.data(), &len, out.data()), vexa::kLengthError);
    EXPECT_EQ(len, 0x77);
    EXPECT_EQ(out, Bytes(255, 0x55));
}

TEST_F(CpuChannel, GetChallengeUnderT0TravelsAsTheBareBody) {
    Insert();
    Reset();
    host.ClearLog();
    const Bytes answer = Apdu(kGetChallenge);
    EXPECT_EQ(SentFrames(),
              std::vector<Bytes>{Frame({0x21, 0xA4, 0x05, 0x00, 0x84, 0x00, 0x00, 0x08})});
    ASSERT_EQ(answer.size(), 10u);
    EXPECT_EQ(StatusWord(answer), (Bytes{0x90, 0x00}));
    // one report each way, the least the chunk rule allows
    EXPECT_EQ(Reports().size(), 2u);
    EXPECT_EQ(host.waits, std::vector<int>(2, 15));
}

TEST_F(CpuChannel, GetChallengeUnderT1TravelsInAnIBlock) {
    Insert(sim::CpuT1Profile());
    Reset();
    host.ClearLog();
    const Bytes answer = Apdu(kGetChallenge);
    EXPECT_EQ(SentFrames(), std::vector<Bytes>{Frame({0x21, 0xA4, 0x09, 0x00, 0x00, 0x05, 0x00,
                                                      0x84, 0x00, 0x00, 0x08, 0x89})});
    ASSERT_EQ(answer.size(), 10u);  // the information field only
    EXPECT_EQ(StatusWord(answer), (Bytes{0x90, 0x00}));
    EXPECT_EQ(Reports().size(), 2u);
    EXPECT_EQ(host.waits, std::vector<int>(2, 15));

    EXPECT_EQ(StatusWord(Apdu(kGetChallenge)), (Bytes{0x90, 0x00}));
    EXPECT_EQ(LastFrame()[4], 0x40);
    Reset();
    EXPECT_EQ(StatusWord(Apdu(kGetChallenge)), (Bytes{0x90, 0x00}));
    EXPECT_EQ(LastFrame()[4], 0x00);
}

TEST_F(CpuChannel, ApduCasesOnTheWire) {
    Insert();
    Reset();
    host.ClearLog();
    Apdu({0x00, 0x70, 0x00, 0x00});                    // case 1: P3 0
    Apdu({0x00, 0xB0, 0x00, 0x00, 0x04});              // case 2: P3 = Le
    Apdu({0x00, 0xA4, 0x00, 0x00, 0x02, 0x00, 0x15});  // case 3
    Apdu({0x00, 0x20, 0x00, 0x00, 0x01, 0x31, 0x10});  // case 4: Le dropped
    const std::vector<Bytes> sent = SentFrames();
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0], Frame({0x21, 0xA4, 0x05, 0x00, 0x70, 0x00, 0x00, 0x00}));
    EXPECT_EQ(sent[1], Frame({0x21, 0xA4, 0x05, 0x00, 0xB0, 0x00, 0x00, 0x04}));
    EXPECT_EQ(sent[2], Frame({0x21, 0xA4, 0x07, 0x00, 0xA4, 0x00, 0x00, 0x02, 0x00, 0x15}));
    EXPECT_EQ(sent[3], Frame({0x21, 0xA4, 0x06, 0x00, 0x20, 0x00, 0x00, 0x01, 0x31}));
}

TEST_F(CpuChannel, MalformedApduIsRefusedBeforeAnythingIsSent) {
    Insert(sim::CpuT1Profile());
    Reset();
    host.ClearLog();
    EXPECT_EQ(ApduStatus({0x00, 0x84, 0x00}, 3), vexa::kApduLength);
    EXPECT_EQ(ApduStatus({0x00, 0xA4, 0x00, 0x00, 0x02, 0x3F, 0x00, 0x01, 0x02}, 9),
              vexa::kApduLength);
    EXPECT_EQ(ApduStatus(kGetChallenge, 0x100 + 3), vexa::kApduLength);  // low 8 bits: 3
    EXPECT_EQ(ApduStatus(kGetChallenge, 0), vexa::kApduLength);
    EXPECT_TRUE(Reports().empty());
    EXPECT_EQ(vexa::CurrentCpuState().send_sequence, 0x00);
    EXPECT_EQ(ApduStatus(kGetChallenge, 0x105), 0);  // low 8 bits: 5
}

TEST_F(CpuChannel, FramesBeyond255BytesAreRefusedAndKeepTheSequence) {
    Insert();
    Reset();
    Bytes apdu{0x00, 0xD6, 0x00, 0x00, 246};
    apdu.resize(5 + 246, 0x11);
    host.ClearLog();
    EXPECT_NE(ApduStatus(apdu, 251), vexa::kLengthError);  // T=0: frame LEN 251 fits
    apdu[4] = 247;
    apdu.push_back(0x11);
    EXPECT_EQ(ApduStatus(apdu, 252), vexa::kLengthError);
    EXPECT_EQ(SentFrames().size(), 1u);

    vexa::CurrentCpuState().protocol = 1;
    apdu[4] = 243;
    apdu.resize(5 + 243);
    EXPECT_EQ(ApduStatus(apdu, static_cast<int32_t>(apdu.size())), vexa::kLengthError);
    EXPECT_EQ(vexa::CurrentCpuState().send_sequence, 0x00);
    EXPECT_EQ(SentFrames().size(), 1u);
}

TEST_F(CpuChannel, T1SequenceMovesOnlyWhenTheBlockReachedTheReader) {
    Insert(sim::CpuT1Profile());
    Reset();
    host.faults.refuse_next_set = true;
    EXPECT_EQ(ApduStatus(kGetChallenge, 5), vexa::kSendFailed);
    EXPECT_EQ(vexa::CurrentCpuState().send_sequence, 0x00);
    // the card never saw it, so library and card are still in step
    EXPECT_EQ(StatusWord(Apdu(kGetChallenge)), (Bytes{0x90, 0x00}));

    host.faults.refuse_next_get = true;  // the card saw this one
    EXPECT_EQ(ApduStatus(kGetChallenge, 5), vexa::kReceiveFailed);
    EXPECT_EQ(vexa::CurrentCpuState().send_sequence, 0x00);
    EXPECT_EQ(StatusWord(Apdu(kGetChallenge)), (Bytes{0x90, 0x00}));
}

TEST_F(CpuChannel, ChainedT1AnswerComesBackRaw) {
    sim::CpuCard& card = Insert(sim::CpuT1Profile());
    card.ifsd = 4;
    Reset();
    const Bytes answer = Apdu(kGetChallenge);
    ASSERT_EQ(answer.size(), 8u);  // NAD to LRC
    EXPECT_EQ(Bytes(answer.begin(), answer.begin() + 3), (Bytes{0x00, 0x20, 0x04}));
}

TEST_F(CpuChannel, T1AnswerWhoseLenDoesNotFitComesBackRaw) {
    Insert(sim::CpuT1Profile());
    Reset();
    const Bytes block{0x00, 0x00, 0x09, 0x90, 0x00};
    reader().faults.scripted_response = Frame({0x12, 0xA4, 0x05, 0x00, 0x00, 0x09, 0x90, 0x00});
    EXPECT_EQ(Apdu(kGetChallenge), block);
}

TEST_F(CpuChannel, ResponseOf255BytesFitsTheBuffer) {
    Insert();
    Reset();
    Bytes frame{0x12, 0xA4, 0xFF};
    frame.resize(3 + 255, 0x5A);
    reader().faults.scripted_response = Frame(frame);
    unsigned char len = 0;
    auto response = std::make_unique<unsigned char[]>(255);  // ASan catches a byte beyond
    EXPECT_EQ(IC_CpuApdu(icdev, 5, kGetChallenge.data(), &len, response.get()), 0);
    EXPECT_EQ(len, 255);
    EXPECT_EQ(response[254], 0x5A);
}

TEST_F(CpuChannel, RefusedApduLeavesTheBuffersAlone) {
    Insert();
    unsigned char len = 0x77;
    Bytes response(255, 0x55);
    // no reset yet: the card does not answer
    EXPECT_EQ(IC_CpuApdu(icdev, 5, kGetChallenge.data(), &len, response.data()), 0x61D4);
    EXPECT_EQ(len, 0x77);
    EXPECT_EQ(response, Bytes(255, 0x55));
    EXPECT_EQ(IC_CpuApdu(icdev, 5, kGetChallenge.data(), nullptr, response.data()),
              vexa::kLengthError);
}

TEST_F(CpuChannel, HexApduCarriesTextBothWays) {
    Insert();
    Reset();
    unsigned char len = 0;
    std::string text(64, 'z');
    EXPECT_EQ(IC_CpuApdu_Hex(icdev, 7, "00a40000020015", &len, text.data()), 0);
    EXPECT_EQ(len, 2);
    EXPECT_EQ(text.substr(0, 5), "9000z");
    EXPECT_EQ(IC_CpuApdu_Hex(icdev, 5, "00B0001E02", &len, text.data()), 0);
    EXPECT_EQ(text.substr(0, 9), "FEFF9000z");

    host.ClearLog();
    const std::string long_apdu(2 * 300, '0');
    EXPECT_EQ(IC_CpuApdu_Hex(icdev, 300, long_apdu.c_str(), &len, text.data()), vexa::kApduLength);
    const std::string too_long(2 * 1025, '0');
    EXPECT_EQ(IC_CpuApdu_Hex(icdev, 1025, too_long.c_str(), &len, text.data()), vexa::kLengthError);
    EXPECT_EQ(IC_CpuApdu_Hex(icdev, -1, "", &len, text.data()), vexa::kLengthError);
    EXPECT_TRUE(Reports().empty());

    reader().faults.answer_word = 0x61D9;
    text = "untouched";
    EXPECT_EQ(IC_CpuApdu_Hex(icdev, 5, "0084000008", &len, text.data()), 0x61D9);
    EXPECT_EQ(text, "untouched");
}

TEST_F(CpuChannel, SetCpuParaSendsProtocolAndParameter) {
    Insert(sim::CpuT1Profile());
    EXPECT_EQ(IC_SetCpuPara(icdev, VEXA_TYPE_CPU, 1, 7), 0);
    EXPECT_EQ(SentFrames(), std::vector<Bytes>{Frame({0x21, 0xA5, 0x02, 0x01, 0x07})});
    EXPECT_EQ(IC_CpuGetProtocol(icdev), 1);
    EXPECT_EQ(reader().protocol(), 1);
    EXPECT_EQ(reader().parameter(), 7);
}

TEST_F(CpuChannel, RefusedSetCpuParaStillSelectsItsType) {
    reader().faults.answer_word = 0x6109;
    EXPECT_EQ(IC_SetCpuPara(icdev, 0x10D, 1, 0), 0x6109);
    EXPECT_EQ(vexa::CurrentSelection().card_type, 13);
    EXPECT_EQ(IC_CpuGetProtocol(icdev), 0);
    reader().faults.scripted_response = Frame({0x12, 0xA5, 0x01, 0x6A});
    EXPECT_EQ(IC_SetCpuPara(icdev, VEXA_TYPE_CPU, 1, 0), 0x6A);
    EXPECT_EQ(vexa::CurrentSelection().card_type, 12);
    EXPECT_EQ(IC_CpuGetProtocol(icdev), 0);
}

namespace {

// Select the EF, read it, verify the PIN, update it, read the update back.
void RunFileSession(const std::function<Bytes(const Bytes&)>& apdu) {
    EXPECT_EQ(apdu({0x00, 0xA4, 0x00, 0x00, 0x02, 0x00, 0x15}), (Bytes{0x90, 0x00}));
    EXPECT_EQ(apdu({0x00, 0xB0, 0x00, 0x00, 0x04}), (Bytes{0xE0, 0xE1, 0xE2, 0xE3, 0x90, 0x00}));
    EXPECT_EQ(apdu({0x00, 0xB0, 0x00, 0x1C, 0x08}), (Bytes{0x6C, 0x04}));
    EXPECT_EQ(apdu({0x00, 0xD6, 0x00, 0x00, 0x02, 0x12, 0x34}), (Bytes{0x69, 0x82}));
    EXPECT_EQ(apdu({0x00, 0x20, 0x00, 0x00, 0x04, 0x30, 0x30, 0x30, 0x30}), (Bytes{0x63, 0xC2}));
    EXPECT_EQ(apdu({0x00, 0x20, 0x00, 0x00, 0x04, 0x31, 0x32, 0x33, 0x34}), (Bytes{0x90, 0x00}));
    EXPECT_EQ(apdu({0x00, 0xD6, 0x00, 0x00, 0x02, 0x12, 0x34}), (Bytes{0x90, 0x00}));
    EXPECT_EQ(apdu({0x00, 0xB0, 0x00, 0x00, 0x03}), (Bytes{0x12, 0x34, 0xE2, 0x90, 0x00}));
    EXPECT_EQ(apdu({0x00, 0x12, 0x00, 0x00}), (Bytes{0x6D, 0x00}));
    EXPECT_EQ(apdu({0x80, 0x84, 0x00, 0x00, 0x08}), (Bytes{0x6E, 0x00}));
}

}  // namespace

TEST_F(CpuChannel, FileSessionUnderT0) {
    Insert();
    Reset();
    RunFileSession([this](const Bytes& a) { return Apdu(a); });
}

TEST_F(CpuChannel, FileSessionUnderT1) {
    Insert(sim::CpuT1Profile());
    Reset();
    RunFileSession([this](const Bytes& a) { return Apdu(a); });
    EXPECT_EQ(vexa::CurrentCpuState().send_sequence, 0x00);  // ten blocks sent
}
