// SPDX-License-Identifier: MIT
// The simulated reader's firmware: its own commands, the card slot, the
// reader memory, malformed frames and the faults tests can inject.
#include <algorithm>
#include <memory>

#include "tests/support/sim_fake_card.h"
#include "tests/support/sim_fixture.h"
#include "vexa/link/exchange.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class SimReaderFirmware : public SimReaderTest {
  protected:
    sim_test::FakeCard& InsertFake() {
        auto card = std::make_unique<sim_test::FakeCard>();
        auto& fake = *card;
        reader().Insert(std::move(card));
        return fake;
    }
    // Sends the command and returns the answer's code followed by its data.
    Bytes Ask(std::uint8_t code, const Bytes& data = {}) {
        vexa::Response r;
        EXPECT_EQ(vexa::Exchange(icdev, code, data, r), 0);
        Bytes answer(r.Data(), r.Data() + r.Len());
        answer.insert(answer.begin(), r.Code());
        return answer;
    }
    // Sends one raw report carrying `chunk`.
    bool SendRaw(const Bytes& chunk, std::uint8_t report_id = 0) {
        std::uint8_t report[vexa::kReportSize] = {report_id};
        std::copy(chunk.begin(), chunk.end(), report + 1);
        return host.SetFeature(vexa::HandleOf(icdev), report);
    }
    Bytes Answer() {
        std::uint8_t frame[vexa::kResponseRoom] = {};
        if (vexa::ReceiveResponse(icdev, frame) != 0) return {};
        return Bytes(frame + 1, frame + 3 + frame[2]);
    }
};

TEST_F(SimReaderFirmware, AnswersVersionStatusAndSelectItself) {
    EXPECT_EQ(Ask(0xA1), (Bytes{0xA1, 0x12, 0x34}));
    reader().SetVersion({0x01, 0x02, 0x03});
    EXPECT_EQ(Ask(0xA1), (Bytes{0xA1, 0x01, 0x02, 0x03}));
    EXPECT_EQ(Ask(0xA2), (Bytes{0xA2, 0x60}));
    InsertFake();
    EXPECT_EQ(Ask(0xA2), (Bytes{0xA2, 0x90}));

    EXPECT_EQ(Ask(0xA5, {0x11}), (Bytes{0xA5, 0x90}));
    EXPECT_EQ(reader().reader_code(), 0x11);
    EXPECT_EQ(Ask(0xA5, {0x01, 0x07}), (Bytes{0xA5, 0x90}));
    EXPECT_EQ(reader().protocol(), 0x01);
    EXPECT_EQ(reader().parameter(), 0x07);
    EXPECT_EQ(reader().reader_code(), 0x11);
    EXPECT_EQ(Ask(0xA5), (Bytes{0x00, 0x61, 0x09}));
}

TEST_F(SimReaderFirmware, HandsOtherCommandsToTheCardWithTheSelectedCode) {
    auto& card = InsertFake();
    Ask(0xA5, {0x12});
    card.reply = sim::Echo(0xBB, {0xAA, 0xBB});
    EXPECT_EQ(Ask(0xBB, {0x00, 0x10, 0x02}), (Bytes{0xBB, 0xAA, 0xBB}));
    ASSERT_EQ(card.seen.size(), 1u);
    EXPECT_EQ(card.seen[0].reader_code, 0x12);
    EXPECT_EQ(card.seen[0].code, 0xBB);
    EXPECT_EQ(card.seen[0].data, (Bytes{0x00, 0x10, 0x02}));
}

TEST_F(SimReaderFirmware, EmptySlotRefusesCardCommandsButPowersDown) {
    EXPECT_EQ(Ask(0xB4, {0x00, 0x10}), (Bytes{0x00, 0x61, 0xD8}));
    EXPECT_EQ(Ask(0xA3), (Bytes{0x00, 0x61, 0xD8}));
    EXPECT_EQ(Ask(0xA6), (Bytes{0xA6, 0x90}));
    EXPECT_EQ(Ask(0xAA), (Bytes{0xAA, 0x90}));
    auto& card = InsertFake();
    EXPECT_EQ(Ask(0xA6), (Bytes{0xA6, 0x90}));
    EXPECT_EQ(card.power_downs, 1);
    EXPECT_TRUE(card.seen.empty());
}

TEST_F(SimReaderFirmware, ReaderMemoryAnswersUnderCode0x10WhileTheSlotIsEmpty) {
    Ask(0xA5, {0x10});
    EXPECT_EQ(Ask(0xB1, {0xFE, 0x07, 0x02, 0x5A, 0xA5}), Bytes{0xB1});
    EXPECT_EQ(Ask(0xB0, {0xFD, 0x07, 0x03}), (Bytes{0xB0, 0xFF, 0x5A, 0xA5}));
    EXPECT_EQ(reader().memory().bytes()[0x7FE], 0x5A);
    // Past the end, or a count that does not match the data: refused.
    EXPECT_EQ(Ask(0xB0, {0xFF, 0x07, 0x02}), (Bytes{0x00, 0x61, 0x09}));
    EXPECT_EQ(Ask(0xB1, {0x00, 0x00, 0x02, 0x01}), (Bytes{0x00, 0x61, 0x09}));
    // Other reader codes, or a card in the slot, do not reach it.
    Ask(0xA5, {0x11});
    EXPECT_EQ(Ask(0xB0, {0x00, 0x00, 0x01}), (Bytes{0x00, 0x61, 0xD8}));
    Ask(0xA5, {0x10});
    auto& card = InsertFake();
    Ask(0xB0, {0x00, 0x00, 0x01});
    EXPECT_EQ(card.seen.size(), 1u);
}

TEST_F(SimReaderFirmware, AnswerTooLongForAFrameIsRefused) {
    InsertFake().reply = sim::Echo(0xB4, Bytes(256, 0));
    EXPECT_EQ(Ask(0xB4, {0, 0}), (Bytes{0x00, 0x61, 0x06}));
}

TEST_F(SimReaderFirmware, MalformedFramesAreRefused) {
    auto& card = InsertFake();
    ASSERT_TRUE(SendRaw({0x21, 0xB4, 0x02, 0x00, 0x10, 0x00}));  // check byte should be 0x87
    EXPECT_EQ(Answer(), (Bytes{0x00, 0x02, 0x61, 0xDA}));
    ASSERT_TRUE(SendRaw({0x22, 0xA2, 0x00, 0x80}));
    EXPECT_EQ(Answer(), (Bytes{0x00, 0x02, 0x61, 0x09}));
    EXPECT_TRUE(card.seen.empty());
    EXPECT_FALSE(SendRaw({0x21, 0xA2, 0x00, 0x83}, 0x01));  // only report 0 exists
}

TEST_F(SimReaderFirmware, WaitsForTheExtraReportOfA128ByteFrame) {
    Bytes frame{0x21, 0xB1, 124};
    frame.resize(128);
    frame[127] = 0x21 ^ 0xB1 ^ 124;
    ASSERT_TRUE(SendRaw(Bytes(frame.begin(), frame.begin() + 64)));
    ASSERT_TRUE(SendRaw(Bytes(frame.begin() + 64, frame.end())));
    EXPECT_EQ(Answer(), Bytes{});  // nothing to fetch yet: an all-zero report
    ASSERT_TRUE(SendRaw({}));
    EXPECT_EQ(Answer(), (Bytes{0x00, 0x02, 0x61, 0xD8}));
}

TEST_F(SimReaderFirmware, NewCommandDiscardsAnUnreadAnswer) {
    ASSERT_EQ(vexa::SendOnly(icdev, 0xA1, {}), 0);
    EXPECT_EQ(Ask(0xA2), (Bytes{0xA2, 0x60}));
}

TEST_F(SimReaderFirmware, CardPulledAfterKCommands) {
    auto& card = InsertFake();
    reader().PullCardAfter(2);
    EXPECT_EQ(Ask(0xB4, {0, 1}), (Bytes{0xB4, 0x90}));
    EXPECT_EQ(Ask(0xA2), (Bytes{0xA2, 0x90}));
    EXPECT_EQ(reader().card(), nullptr);
    EXPECT_EQ(reader().pulled_card(), &card);
    EXPECT_EQ(card.power_downs, 1);
    EXPECT_EQ(Ask(0xB4, {0, 1}), (Bytes{0x00, 0x61, 0xD8}));
    EXPECT_EQ(card.seen.size(), 1u);
}

TEST_F(SimReaderFirmware, InjectedAnswersReplaceTheCommandOnce) {
    auto& card = InsertFake();
    reader().faults.answer_word = 0x6A82;
    EXPECT_EQ(Ask(0xB4, {0, 1}), (Bytes{0x00, 0x6A, 0x82}));
    host.faults.scripted_response = Bytes{0x12, 0xB4, 0x01, 0x55, 0x12 ^ 0xB4 ^ 0x01 ^ 0x55};
    EXPECT_EQ(Ask(0xB4, {0, 1}), (Bytes{0xB4, 0x55}));
    EXPECT_TRUE(card.seen.empty());
    EXPECT_EQ(Ask(0xB4, {0, 1}), (Bytes{0xB4, 0x90}));
}

}  // namespace
