// SPDX-License-Identifier: MIT
// The reader's own memory through the public API: block splitting, the page
// head, read-back, and the selects around every access.
#include <memory>
#include <numeric>
#include <string>

#include "tests/support/sim_fake_card.h"
#include "tests/support/sim_fixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Frame(Bytes bytes) {
    std::uint8_t check = 0;
    for (const std::uint8_t b : bytes) check ^= b;
    bytes.push_back(check);
    return bytes;
}

Bytes Select(std::uint8_t code) {
    return Frame({0x21, 0xA5, 0x01, code});
}

// A memory that acknowledges every write but keeps nothing.
class ForgetfulMemory : public sim::Card {
  public:
    sim::Reply Handle(const sim::Command& cmd) override {
        if (cmd.code == 0xB1) return sim::Echo(0xB1);
        return sim::Echo(cmd.code, Bytes(cmd.data[2], 0xFF));
    }
};

class ReaderMemory : public SimReaderTest {
  protected:
    // Command code, address and count of each frame between the two selects.
    std::vector<Bytes> Accesses() const {
        std::vector<Bytes> heads;
        for (const Bytes& f : SentFrames()) {
            if (f[1] != 0xA5) heads.push_back({f[1], f[3], f[4], f[5]});
        }
        return heads;
    }
    Bytes Pattern(std::size_t n, std::uint8_t first = 0) {
        Bytes data(n);
        std::iota(data.begin(), data.end(), first);
        return data;
    }
    Bytes Memory(std::size_t offset, std::size_t n) {
        const auto& m = reader().memory().bytes();
        return Bytes(m.begin() + offset, m.begin() + offset + n);
    }
};

}  // namespace

TEST_F(ReaderMemory, ReadingNothingSendsOnlyTheTwoSelects) {
    unsigned char out[1] = {0x55};
    EXPECT_EQ(IC_ReadDevice(icdev, 0, 0, out), 0);
    EXPECT_EQ(SentFrames(), (std::vector<Bytes>{Select(0x10), Select(0x00)}));
    // neither select's answer is read
    EXPECT_EQ(sim::CountReports(Reports(), sim::Direction::kFromReader), 0u);
    EXPECT_EQ(out[0], 0x55);
}

TEST_F(ReaderMemory, ReadsInBlocksOf128) {
    std::copy_n(Pattern(300).begin(), 300, reader().memory().bytes().begin());
    Bytes out(200);
    EXPECT_EQ(IC_ReadDevice(icdev, 0, 128, out.data()), 0);
    EXPECT_EQ(Accesses(), (std::vector<Bytes>{{0xB0, 0x00, 0x00, 0x80}}));
    host.ClearLog();
    EXPECT_EQ(IC_ReadDevice(icdev, 0, 200, out.data()), 0);
    EXPECT_EQ(Accesses(), (std::vector<Bytes>{{0xB0, 0x00, 0x00, 0x80}, {0xB0, 0x80, 0x00, 0x48}}));
    EXPECT_EQ(out, Pattern(200));
}

TEST_F(ReaderMemory, PutsTheSavedReaderCodeBackUnread) {
    ASSERT_EQ(IC_InitType(icdev, VEXA_TYPE_SLE4442), 0);
    host.ClearLog();
    Bytes out(4);
    EXPECT_EQ(IC_ReadDevice(icdev, 16, 4, out.data()), 0);
    const auto frames = SentFrames();
    EXPECT_EQ(frames.front(), Select(0x10));
    EXPECT_EQ(frames.back(), Select(0x11));
    EXPECT_EQ(reader().reader_code(), 0x11);
    // one answer read: the block's; the last report is the restoring select
    EXPECT_EQ(sim::CountReports(Reports(), sim::Direction::kFromReader), 1u);
    EXPECT_EQ(Reports().back().direction, sim::Direction::kToReader);
    EXPECT_EQ(vexa::CurrentSelection().card_type, 16);
    EXPECT_EQ(vexa::CurrentSelection().reader_code, 0x11);
}

TEST_F(ReaderMemory, WriteSplitsOffAHeadUpToThePageBoundary) {
    const Bytes data = Pattern(10, 0xA0);
    EXPECT_EQ(IC_WriteDevice(icdev, 5, 10, data.data()), 0);
    EXPECT_EQ(Accesses(), (std::vector<Bytes>{{0xB1, 0x05, 0x00, 0x03},
                                              {0xB0, 0x05, 0x00, 0x03},
                                              {0xB1, 0x08, 0x00, 0x07},
                                              {0xB0, 0x08, 0x00, 0x07}}));
    EXPECT_EQ(Memory(5, 10), data);
    EXPECT_EQ(SentFrames().back(), Select(0x00));
}

TEST_F(ReaderMemory, WriteWithinOnePageIsOneBlock) {
    const Bytes data = Pattern(3, 0x40);
    EXPECT_EQ(IC_WriteDevice(icdev, 5, 3, data.data()), 0);
    EXPECT_EQ(Accesses(), (std::vector<Bytes>{{0xB1, 0x05, 0x00, 0x03}, {0xB0, 0x05, 0x00, 0x03}}));
    EXPECT_EQ(Memory(5, 3), data);
}

TEST_F(ReaderMemory, AlignedWriteGoesIn128ByteBlocks) {
    const Bytes data = Pattern(300, 7);
    EXPECT_EQ(IC_WriteDevice(icdev, 8, 300, data.data()), 0);
    EXPECT_EQ(Accesses(), (std::vector<Bytes>{{0xB1, 0x08, 0x00, 0x80},
                                              {0xB0, 0x08, 0x00, 0x80},
                                              {0xB1, 0x88, 0x00, 0x80},
                                              {0xB0, 0x88, 0x00, 0x80},
                                              {0xB1, 0x08, 0x01, 0x2C},
                                              {0xB0, 0x08, 0x01, 0x2C}}));
    EXPECT_EQ(Memory(8, 300), data);
}

TEST_F(ReaderMemory, ReadBackThatDiffersIsAWriteError) {
    reader().Insert(std::make_unique<ForgetfulMemory>());
    const Bytes data = Pattern(20);
    EXPECT_EQ(IC_WriteDevice(icdev, 5, 20, data.data()), vexa::kWriteMismatch);
    // the head failed: nothing more written, the selection still restored
    EXPECT_EQ(Accesses(), (std::vector<Bytes>{{0xB1, 0x05, 0x00, 0x03}, {0xB0, 0x05, 0x00, 0x03}}));
    EXPECT_EQ(SentFrames().back(), Select(0x00));
    char text[32] = {};
    IC_GetLastError(text);
    EXPECT_EQ(std::string(text), "\xD0\xB4\xCA\xFD\xBE\xDD\xB4\xED\xCE\xF3");  // "写数据错误"
}

TEST_F(ReaderMemory, FailingBlockEndsTheAccessButNotTheRestore) {
    auto card = std::make_unique<sim_test::FakeCard>();
    card->reply = sim::Refuse(0x61D8);
    reader().Insert(std::move(card));
    Bytes out(300, 0x55);
    EXPECT_EQ(IC_ReadDevice(icdev, 0, 300, out.data()), 0x61D8);
    EXPECT_EQ(Accesses().size(), 1u);
    EXPECT_EQ(SentFrames().back(), Select(0x00));
    EXPECT_EQ(out, Bytes(300, 0x55));
}

TEST_F(ReaderMemory, FailedFirstSelectSendsNothingElse) {
    host.faults.refuse_next_set = true;
    Bytes out(4);
    EXPECT_EQ(IC_ReadDevice(icdev, 0, 4, out.data()), vexa::kSendFailed);
    EXPECT_TRUE(SentFrames().empty());
    EXPECT_EQ(Reports().size(), 1u);  // the refused report only
}

TEST_F(ReaderMemory, NegativeOffsetsAndLengthsTouchNothing) {
    Bytes buf(16);
    EXPECT_EQ(IC_ReadDevice(icdev, -1, 4, buf.data()), vexa::kLengthError);
    EXPECT_EQ(IC_ReadDevice(icdev, 0, 0xFFFF, buf.data()), vexa::kLengthError);  // 16 bits: -1
    EXPECT_EQ(IC_WriteDevice(icdev, 0, -8, buf.data()), vexa::kLengthError);
    EXPECT_EQ(IC_WriteDevice(icdev, 0, 4, nullptr), vexa::kLengthError);
    EXPECT_EQ(vexa::LastError(), vexa::kLengthError);
    EXPECT_TRUE(Reports().empty());
}

TEST_F(ReaderMemory, HexTwinsCarryTextWithoutNul) {
    EXPECT_EQ(IC_WriteDevice_Hex(icdev, 100, 3, "a1B2c3"), 0);
    EXPECT_EQ(Memory(100, 3), (Bytes{0xA1, 0xB2, 0xC3}));
    char text[8];
    std::fill(std::begin(text), std::end(text), 'z');
    EXPECT_EQ(IC_ReadDevice_Hex(icdev, 100, 3, text), 0);
    EXPECT_EQ(std::string(text, 7), "A1B2C3z");
}

TEST_F(ReaderMemory, HexTwinsStopAtTheirWorkArea) {
    const std::string whole(2 * 2048, 'F');
    EXPECT_EQ(IC_WriteDevice_Hex(icdev, 0, 2048, whole.c_str()), 0);
    std::string text(2 * 2049, 'z');
    EXPECT_EQ(IC_ReadDevice_Hex(icdev, 0, 2048, text.data()), 0);
    host.ClearLog();
    EXPECT_EQ(IC_ReadDevice_Hex(icdev, 0, 2049, text.data()), vexa::kLengthError);
    EXPECT_EQ(IC_WriteDevice_Hex(icdev, 0, 2049, text.c_str()), vexa::kLengthError);
    EXPECT_TRUE(Reports().empty());
}
