// SPDX-License-Identifier: MIT
// Frames and reports on the wire: the chunk rule in both directions, the
// answer checks and the transport failures.
#include <algorithm>
#include <climits>
#include <memory>
#include <ostream>
#include <string>

#include "tests/support/sim_fake_card.h"
#include "tests/support/sim_fixture.h"
#include "vexa/link/exchange.h"

namespace {

using sim::Direction;
using Bytes = std::vector<std::uint8_t>;

class TransportTest : public SimReaderTest {
  protected:
    std::int32_t Send(std::uint8_t code, const Bytes& data, bool drop_extra = false) {
        return vexa::Exchange(icdev, code, data, response, drop_extra);
    }
    // Makes the reader's own memory answer 0xB0 with `count` bytes 0, 1, 2 ...
    void PrepareMemoryRead() {
        auto& bytes = reader().memory().bytes();
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i);
        ASSERT_EQ(IC_InitType(icdev, VEXA_TYPE_24C), 0);
        host.ClearLog();
    }
    std::size_t Sets() const { return sim::CountReports(host.log, Direction::kToReader); }
    std::size_t Gets() const { return sim::CountReports(host.log, Direction::kFromReader); }

    vexa::Response response;
};

TEST_F(TransportTest, StatusQueryTravelsAsTheDocumentedReportsBothWays) {
    reader().Insert(std::make_unique<sim_test::FakeCard>());
    ASSERT_EQ(Send(0xA2, {}), 0);
    ASSERT_EQ(host.log.size(), 2u);
    EXPECT_EQ(host.log[0].direction, Direction::kToReader);
    EXPECT_EQ(host.log[0].bytes, sim::ReportOf(Bytes{0x21, 0xA2, 0x00, 0x83}));
    EXPECT_EQ(host.log[1].bytes, sim::ReportOf(Bytes{0x12, 0xA2, 0x01, 0x90, 0x21}));
    EXPECT_TRUE(std::equal(response.frame.begin(), response.frame.begin() + 5,
                           Bytes{0x12, 0xA2, 0x01, 0x90, 0x21}.begin()));
}

TEST_F(TransportTest, EveryAcceptedReportIsFollowedByOneFifteenMillisecondWait) {
    PrepareMemoryRead();
    ASSERT_EQ(Send(0xB1, Bytes(124, 0)), 0);  // 3 reports out, 1 back
    ASSERT_EQ(Send(0xB0, {0, 0, 200}), 0);    // 1 report out, 4 back
    EXPECT_EQ(host.log.size(), 9u);
    EXPECT_EQ(host.waits, std::vector<int>(9, 15));
}

// A frame's LEN and the number of reports the chunk rule gives it.
struct LengthCase {
    std::size_t len;
    std::size_t reports;
};

class ChunkRule : public TransportTest, public ::testing::WithParamInterface<LengthCase> {};
class CommandChunks : public ChunkRule {};
class AnswerChunks : public ChunkRule {};

void PrintTo(const LengthCase& c, std::ostream* os) {
    *os << c.len << " bytes in " << c.reports << " reports";
}

std::string CaseName(const ::testing::TestParamInfo<LengthCase>& info) {
    return "Len" + std::to_string(info.param.len);
}

TEST_P(CommandChunks, FrameOfNBytesTravelsInNOver64PlusOneReports) {
    const auto [len, reports] = GetParam();
    Bytes data(len);
    for (std::size_t i = 0; i < len; ++i) data[i] = static_cast<std::uint8_t>(i + 1);
    ASSERT_EQ(Send(0xB1, data), 0);
    EXPECT_EQ(Sets(), reports);
    // The reader took the frame whole: it answered it, not a stray chunk.
    EXPECT_EQ(response.AnswerWord(), sim::kWordCannotRead);
    const auto frames = SentFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), frames[0].begin() + 3));
    if ((len + 4) % 64 == 0) {
        EXPECT_EQ(host.log[reports - 1].bytes, sim::ReportOf({}));
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, CommandChunks,
                         ::testing::Values(LengthCase{59, 1}, LengthCase{60, 2}, LengthCase{123, 2},
                                           LengthCase{124, 3}, LengthCase{188, 4},
                                           LengthCase{251, 4}),
                         CaseName);

TEST_F(TransportTest, A24C64WriteOf128BytesTravelsInTwoReportsAndTheReaderKeepsStep) {
    auto card = std::make_unique<sim_test::FakeCard>();
    auto* fake = card.get();
    reader().Insert(std::move(card));
    ASSERT_EQ(Send(0xB3, Bytes(124, 0xAB), true), 0);
    EXPECT_EQ(Sets(), 2u);
    EXPECT_TRUE(response.Echoes(0xB3));
    ASSERT_EQ(Send(0xA2, {}), 0);
    EXPECT_TRUE(response.Echoes(0xA2));
    ASSERT_EQ(fake->seen.size(), 1u);
    EXPECT_EQ(fake->seen[0].data, Bytes(124, 0xAB));
}

TEST_F(TransportTest, MoreThan251DataBytesAreRefusedBeforeAnythingIsSent) {
    EXPECT_EQ(Send(0xB1, Bytes(252, 0)), vexa::kLengthError);
    EXPECT_TRUE(host.log.empty());
    EXPECT_TRUE(host.waits.empty());
}

TEST_P(AnswerChunks, ResponseOfNBytesIsReadAsNOver64PlusOneReports) {
    const auto [len, reports] = GetParam();
    const auto count = static_cast<std::uint8_t>(len);
    PrepareMemoryRead();
    ASSERT_EQ(Send(0xB0, {0x00, 0x01, count}), 0);
    EXPECT_EQ(Gets(), reports);
    ASSERT_EQ(response.Len(), count);
    for (std::size_t i = 0; i < count; ++i) EXPECT_EQ(response.Data()[i], i & 0xFF) << i;
}

INSTANTIATE_TEST_SUITE_P(Lengths, AnswerChunks,
                         ::testing::Values(LengthCase{0, 1}, LengthCase{59, 1}, LengthCase{60, 2},
                                           LengthCase{124, 3}, LengthCase{188, 4},
                                           LengthCase{252, 5}, LengthCase{255, 5}),
                         CaseName);

TEST_F(TransportTest, WrongCheckByteGivesMinus24AndLeavesTheBufferAlone) {
    response.frame.fill(0xEE);
    reader().faults.wrong_check = true;
    EXPECT_EQ(Send(0xA2, {}), vexa::kChecksumError);
    EXPECT_TRUE(std::all_of(response.frame.begin(), response.frame.end(),
                            [](std::uint8_t b) { return b == 0xEE; }));
}

TEST_F(TransportTest, WrongHeadGivesMinus20WithoutReadingFurther) {
    PrepareMemoryRead();
    reader().faults.wrong_head = true;  // the rest is a well-formed 104-byte frame
    EXPECT_EQ(Send(0xB0, {0, 0, 100}), vexa::kLengthError);
    EXPECT_EQ(Gets(), 1u);
}

TEST_F(TransportTest, RefusedReportStopsTheFrameWithMinus22) {
    host.faults.refuse_next_set = true;
    EXPECT_EQ(Send(0xB1, Bytes(100, 0)), vexa::kSendFailed);
    ASSERT_EQ(host.log.size(), 1u);
    EXPECT_FALSE(host.log[0].accepted);
    EXPECT_TRUE(host.waits.empty());
}

TEST_F(TransportTest, UndeliveredReportStopsTheAnswerWithMinus23) {
    PrepareMemoryRead();
    host.faults.refuse_next_get = true;
    EXPECT_EQ(Send(0xB0, {0, 0, 100}), vexa::kReceiveFailed);
    ASSERT_EQ(host.log.size(), 2u);
    EXPECT_FALSE(host.log[1].accepted);
    EXPECT_EQ(host.waits.size(), 1u);
}

TEST_F(TransportTest, AnswerWithoutEchoCarriesABigEndianWord) {
    reader().faults.answer_word = 0x6109;
    ASSERT_EQ(Send(0xA2, {}), 0);
    EXPECT_FALSE(response.Echoes(0xA2));
    EXPECT_EQ(response.AnswerWord(), 0x6109);
    EXPECT_EQ(vexa::EchoStatus(0, response, 0xA2), 0x6109);
}

TEST_F(TransportTest, LengthFieldBeyondTheBytesSentNeverOverruns) {
    reader().faults.scripted_response = Bytes{0x12, 0xA2, 0xFF, 0x90, 0x21};
    response.frame.fill(0xEE);
    EXPECT_EQ(Send(0xA2, {}), vexa::kChecksumError);  // the missing bytes read as zero
    EXPECT_EQ(Gets(), 5u);
    EXPECT_EQ(response.frame.back(), 0xEE);
}

TEST_F(TransportTest, DeviceNumbersWithoutAnOpenReaderTouchNothing) {
    for (std::int32_t dev : {INT32_MIN, -1, 0, 79, 181, 279, 280, INT32_MAX}) {
        std::uint8_t out[vexa::kResponseRoom] = {};
        EXPECT_EQ(vexa::Exchange(dev, 0xA2, {}, response), vexa::kSendFailed) << dev;
        EXPECT_EQ(vexa::ReceiveResponse(dev, out), vexa::kReceiveFailed) << dev;
        EXPECT_EQ(IC_InitType(dev, VEXA_TYPE_24C), vexa::kSendFailed) << dev;
    }
    // The reduced build has no table to check a number against; the host
    // refuses every handle it did not hand out.
    for (const sim::ReportRecord& r : host.log) EXPECT_FALSE(r.accepted);
    if constexpr (!vexa::kReducedBuild) {
        EXPECT_TRUE(host.log.empty());
    }
    EXPECT_TRUE(host.waits.empty());
}

}  // namespace
