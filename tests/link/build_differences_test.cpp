// SPDX-License-Identifier: MIT
// Where the reduced configuration of the library parts from the full one.
// Both test programs compile this file; each scenario states the outcome of
// the full build and of the reduced build side by side.
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/card_24c.h"
#include "sim/card_sle4442.h"
#include "tests/support/sle_card_fixture.h"
#include "vexa/link/messages.h"

namespace {

using sim_test::Bytes;
using sim_test::CommandFrame;

constexpr bool kReduced = vexa::kReducedBuild;
constexpr std::int16_t kNotSupported = vexa::kNotSupported;

const std::string kUnknownText = "\xCE\xB4\xD6\xAA\xB4\xED\xCE\xF3: ";  // 未知错误:

std::string LastErrorText() {
    char text[vexa::kMessageRoom] = {};
    IC_GetLastError(text);
    return text;
}

// The host handle behind the reports of one call.
template <typename Call>
vexa::Handle HandleUsedBy(sim::SimHost& host, Call call) {
    host.ClearLog();
    call();
    return host.log.empty() ? 0 : host.log.front().handle;
}

class BuildDifferences : public SimReaderTest {};

TEST(BuildDifferencesOpen, DeviceNumberIsPortPlus80OrTheHostsOwnHandle) {
    sim::SimHost host;
    host.AddReader();
    host.AddReader();
    sim_test::ScopedHost scoped(host);
    const std::int32_t first = IC_InitComm(100);
    const std::int32_t second = IC_InitComm(101);
    const vexa::Handle h1 =
        HandleUsedBy(host, [&] { EXPECT_EQ(IC_InitType(first, VEXA_TYPE_24C), 0); });
    const vexa::Handle h2 =
        HandleUsedBy(host, [&] { EXPECT_EQ(IC_InitType(second, VEXA_TYPE_SLE4442), 0); });
    EXPECT_EQ(first, kReduced ? h1 : 180);
    EXPECT_EQ(second, kReduced ? h2 : 181);
    EXPECT_EQ(host.reader(0).reader_code(), 0x10);
    EXPECT_EQ(host.reader(1).reader_code(), 0x11);

    // Numbers never handed out close nothing, in either build.
    for (std::int32_t stray : {INT32_MIN, -1, 0, 3, 79, 179, 182, 280, INT32_MAX})
        EXPECT_EQ(IC_ExitComm(stray), 0) << stray;
    EXPECT_TRUE(host.IsOpen(0));
    EXPECT_TRUE(host.IsOpen(1));
    EXPECT_EQ(IC_ExitComm(first), 0);
    EXPECT_FALSE(host.IsOpen(0));
    EXPECT_TRUE(host.IsOpen(1));
}

TEST_F(BuildDifferences, ReducedBuildOpensTheReaderOnAnyPort) {
    ASSERT_EQ(IC_ExitComm(icdev), 0);
    for (std::int32_t port : {99, 0, -1, 200, 0x7FFF, 0x10000 + 99}) {
        SCOPED_TRACE(port);
        vexa::SetLastError(vexa::kCardTestError);
        const std::int32_t dev = IC_InitComm(port);
        EXPECT_EQ(vexa::LastError(), kReduced ? vexa::kOk : vexa::kOpenFailed);
        EXPECT_EQ(host.IsOpen(0), kReduced);
        if constexpr (kReduced) {
            EXPECT_EQ(IC_InitType(dev, VEXA_TYPE_24C), 0);
            EXPECT_EQ(IC_ExitComm(dev), 0);
            EXPECT_FALSE(host.IsOpen(0));
        } else {
            EXPECT_EQ(dev, vexa::kOpenFailed);
        }
    }
}

TEST_F(BuildDifferences, OpenVariantsAreNotSupportedInTheReducedBuild) {
    ASSERT_EQ(IC_ExitComm(icdev), 0);
    using Open = std::int32_t (*)();
    for (Open open :
         {+[] { return IC_InitComm_Baud(100, 9600); }, +[] { return IC_InitComm_Q(100, 0); },
          +[] { return IC_InitCommAdvanced(100); }}) {
        const std::int32_t dev = open();
        EXPECT_EQ(dev, kReduced ? kNotSupported : 180);
        EXPECT_EQ(vexa::LastError(), kReduced ? kNotSupported : vexa::kOk);
        EXPECT_EQ(host.IsOpen(0), !kReduced);
        IC_ExitComm(dev);
    }
}

TEST_F(BuildDifferences, UnknownStatusTextCarriesTheStatusInTheReducedBuild) {
    reader().faults.answer_word = 0x6A82;
    EXPECT_EQ(IC_Status(icdev), 0x6A82);
    EXPECT_EQ(LastErrorText(), kUnknownText + (kReduced ? "0x6A82" : ""));

    // The widest register values still fit the 21 bytes callers provide.
    const std::pair<std::int32_t, std::string> values[] = {
        {2, "0x0002"}, {0x10000, "0x10000"}, {-1, "0xFFFFFFFF"}, {INT32_MIN, "0x80000000"}};
    for (const auto& [status, hex] : values) {
        vexa::SetLastError(status);
        std::array<char, 32> text;
        text.fill('#');
        EXPECT_EQ(IC_GetLastError(text.data()), 0);
        EXPECT_EQ(std::string(text.data()), kUnknownText + (kReduced ? hex : "")) << status;
        EXPECT_EQ(std::string(text.begin() + vexa::kMessageRoom, text.end()),
                  std::string(text.size() - vexa::kMessageRoom, '#'))
            << status;
    }
}

TEST_F(BuildDifferences, ReaderMemoryIsNotSupportedInTheReducedBuild) {
    const Bytes data{1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(IC_WriteDevice(icdev, 16, 8, data.data()), kReduced ? kNotSupported : 0);
    EXPECT_EQ(IC_WriteDevice_Hex(icdev, 24, 2, "A55A"), kReduced ? kNotSupported : 0);
    Bytes out(8, 0xEE);
    EXPECT_EQ(IC_ReadDevice(icdev, 16, 8, out.data()), kReduced ? kNotSupported : 0);
    std::array<char, 4> text{'#', '#', '#', '#'};
    EXPECT_EQ(IC_ReadDevice_Hex(icdev, 24, 2, text.data()), kReduced ? kNotSupported : 0);
    EXPECT_EQ(vexa::LastError(), kReduced ? kNotSupported : vexa::kOk);

    EXPECT_EQ(out, kReduced ? Bytes(8, 0xEE) : data);
    EXPECT_EQ(std::string(text.data(), 4), kReduced ? "####" : "A55A");
    const auto& memory = reader().memory().bytes();
    const Bytes written = kReduced ? Bytes(10, 0xFF) : Bytes{1, 2, 3, 4, 5, 6, 7, 8, 0xA5, 0x5A};
    EXPECT_EQ(Bytes(memory.begin() + 16, memory.begin() + 26), written);
    if constexpr (kReduced) {
        EXPECT_TRUE(Reports().empty());
    }
}

// The full build opens an SLE4442 write with a read of address 0, so even a
// write of nothing asks the card, and a missing card fails before the write.
TEST_F(BuildDifferences, Sle4442WriteWithoutTheOpeningReadInTheReducedBuild) {
    reader().Insert(std::make_unique<sim::Sle4442Card>());
    ASSERT_EQ(IC_InitType(icdev, VEXA_TYPE_SLE4442), 0);
    host.ClearLog();
    const std::uint8_t byte = 0x5A;
    EXPECT_EQ(IC_Write(icdev, 0x40, 0, &byte), 0);
    EXPECT_EQ(SentFrames(), kReduced ? std::vector<sim::Frame>{}
                                     : std::vector<sim::Frame>{CommandFrame(0xB4, {0x00, 0x01})});

    reader().Remove();
    host.ClearLog();
    EXPECT_EQ(IC_Write(icdev, 0x40, 0, &byte), kReduced ? 0 : sim::kWordCannotRead);
    EXPECT_EQ(IC_Write(icdev, 0x40, 1, &byte), sim::kWordCannotRead);
    const std::vector<sim::Frame> frames = SentFrames();
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back(),
              kReduced ? CommandFrame(0xB5, {0x40, 0x01, 0x5A}) : CommandFrame(0xB4, {0x00, 0x01}));
}

// The unserved family tests send nothing, so both builds begin detection on
// the card with the SLE4442 test.
TEST_F(BuildDifferences, DetectionStartsWithTheSle4442Test) {
    reader().Insert(std::make_unique<sim::Eeprom24CCard>(sim::k24C02));
    EXPECT_EQ(IC_CheckCard(icdev), VEXA_FOUND_24C02);
    const std::vector<sim::Frame> frames = SentFrames();
    const auto card_command = std::find_if(frames.begin(), frames.end(), [](const sim::Frame& f) {
        return f[1] != 0xA2 && f[1] != 0xA5;  // neither status nor select
    });
    ASSERT_NE(card_command, frames.end());
    EXPECT_EQ(*card_command, CommandFrame(0xB4, {0x06, 0x02}));
}

// An EEPROM whose cells do not hold: a write reads back once, which passes the
// write's own check, and then the cells are blank again.
class FadingEeprom : public sim::Card {
  public:
    sim::Reply Handle(const sim::Command& cmd) override {
        switch (cmd.code) {
            case 0xB0:
            case 0xB2: {
                const std::size_t count = cmd.data.size() == 3 ? cmd.data[2] : 0;
                Bytes out = latch_ && latch_->size() == count ? *latch_ : Bytes(count, 0x00);
                latch_.reset();
                return sim::Echo(cmd.code, out);
            }
            case 0xB1:
            case 0xB3:
                latch_ = Bytes(cmd.data.begin() + std::min<std::size_t>(3, cmd.data.size()),
                               cmd.data.end());
                return sim::Echo(cmd.code);
            default:
                return sim::Refuse(sim::kWordCannotRead);
        }
    }

  private:
    std::optional<Bytes> latch_;
};

TEST_F(BuildDifferences, FailedPatternOfThe24C64ProbeEndsDetectionAtOnce) {
    reader().Insert(std::make_unique<FadingEeprom>());
    EXPECT_EQ(IC_CheckCard(icdev), vexa::kCardTestError);
    EXPECT_EQ(vexa::LastError(), vexa::kCardTestError);
    // Nothing follows the read-back of "WP": no write-back, no smaller size.
    const std::vector<sim::Frame> frames = SentFrames();
    ASSERT_GE(frames.size(), 3u);
    EXPECT_EQ(frames.back(), CommandFrame(0xB2, {0x40, 0x1A, 0x02}));
    EXPECT_EQ(frames[frames.size() - 3], CommandFrame(0xB3, {0x40, 0x1A, 0x02, 0x57, 0x50}));
}

}  // namespace
