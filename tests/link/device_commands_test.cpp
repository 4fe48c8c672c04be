// SPDX-License-Identifier: MIT
// The reader's own commands through the public API: status, power-down,
// version, and the device functions without hardware behind them.
#include <memory>
#include <string>

#include "tests/support/sim_fake_card.h"
#include "tests/support/sim_fixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr char kNoCardText[] = "\xBF\xA8\xD7\xF9\xCE\xDE\xBF\xA8";  // "卡座无卡"
constexpr char kOpenFailedText[] = "\xB4\xF2\xBF\xAA\xB6\xCB\xBF\xDA\xCA\xA7\xB0\xDC";
constexpr char kNotSupportedText[] = "\xD4\xDD\xB2\xBB\xD6\xA7\xB3\xD6\xB8\xC3\xBA\xAF\xCA\xFD";

class DeviceCommands : public SimReaderTest {
  protected:
    void InsertCard() { reader().Insert(std::make_unique<sim_test::FakeCard>()); }
    std::string LastErrorText() {
        char text[32] = {};
        IC_GetLastError(text);
        return text;
    }
    std::size_t ReportsTo() const {
        return sim::CountReports(Reports(), sim::Direction::kToReader);
    }
    std::size_t ReportsFrom() const {
        return sim::CountReports(Reports(), sim::Direction::kFromReader);
    }
};

Bytes Frame(Bytes bytes) {
    std::uint8_t check = 0;
    for (const std::uint8_t b : bytes) check ^= b;
    bytes.push_back(check);
    return bytes;
}

}  // namespace

TEST_F(DeviceCommands, StatusReselectsAMemoryFamilyFirst) {
    InsertCard();
    ASSERT_EQ(IC_InitType(icdev, VEXA_TYPE_SLE4442), 0);
    host.ClearLog();
    EXPECT_EQ(IC_Status(icdev), 0);
    EXPECT_EQ(SentFrames(),
              (std::vector<Bytes>{Frame({0x21, 0xA5, 0x01, 0x11}), Frame({0x21, 0xA2, 0x00})}));
    // two exchanges of one report each way, each report followed by 15 ms
    EXPECT_EQ(ReportsTo(), 2u);
    EXPECT_EQ(ReportsFrom(), 2u);
    EXPECT_EQ(host.waits, std::vector<int>(4, 15));
}

TEST_F(DeviceCommands, StatusOfACpuTypeIsOneExchange) {
    InsertCard();
    EXPECT_EQ(IC_Status(icdev), 0);
    EXPECT_EQ(SentFrames(), std::vector<Bytes>{Frame({0x21, 0xA2, 0x00})});
}

TEST_F(DeviceCommands, EmptySlotGivesOneAndItsMessage) {
    ASSERT_EQ(IC_InitType(icdev, VEXA_TYPE_24C), 0);
    EXPECT_EQ(IC_Status(icdev), 1);
    EXPECT_EQ(LastErrorText(), kNoCardText);
}

TEST_F(DeviceCommands, StatusPassesOnRefusalsAndOtherStatusBytes) {
    ASSERT_EQ(IC_InitType(icdev, VEXA_TYPE_SLE4442), 0);
    host.ClearLog();
    reader().faults.answer_word = 0x6109;  // the re-selection is refused
    EXPECT_EQ(IC_Status(icdev), 0x6109);
    EXPECT_EQ(vexa::LastError(), 0x6109);
    EXPECT_EQ(SentFrames().size(), 1u);  // no status query after it

    IC_InitType(icdev, VEXA_TYPE_CPU);
    reader().faults.scripted_response = Frame({0x12, 0xA2, 0x01, 0x6F});
    EXPECT_EQ(IC_Status(icdev), 0x6F);
    reader().faults.answer_word = 0x61D8;
    EXPECT_EQ(IC_Status(icdev), 0x61D8);
    host.faults.refuse_next_get = true;
    EXPECT_EQ(IC_Status(icdev), vexa::kReceiveFailed);
}

TEST_F(DeviceCommands, PowerDownCodeFollowsTheCardType) {
    const std::pair<std::int32_t, std::uint8_t> cases[] = {{12, 0xA6}, {13, 0xAA}, {14, 0xAA},
                                                           {15, 0xAA}, {16, 0xA6}, {33, 0xA6}};
    for (const auto& [type, code] : cases) {
        vexa::CurrentSelection().card_type = static_cast<std::uint8_t>(type);
        host.ClearLog();
        EXPECT_EQ(IC_Down(icdev), 0) << type;
        EXPECT_EQ(SentFrames(), std::vector<Bytes>{Frame({0x21, code, 0x00})}) << type;
    }
}

TEST_F(DeviceCommands, PowerDownPassesOnStatusByteAndAnswerWord) {
    reader().faults.scripted_response = Frame({0x12, 0xA6, 0x01, 0x6A});
    EXPECT_EQ(IC_Down(icdev), 0x6A);
    reader().faults.answer_word = 0x6109;
    EXPECT_EQ(IC_Down(icdev), 0x6109);
    EXPECT_EQ(vexa::LastError(), 0x6109);
}

TEST_F(DeviceCommands, VersionIsNulTerminatedHexText) {
    char text[8];
    std::fill(std::begin(text), std::end(text), 'z');
    EXPECT_EQ(IC_ReadVer(icdev, text), 0);
    EXPECT_EQ(std::string(text, 6), std::string("1234\0z", 6));
    EXPECT_EQ(SentFrames(), std::vector<Bytes>{Frame({0x21, 0xA1, 0x00})});
}

TEST_F(DeviceCommands, LongestVersionFillsExactly511Bytes) {
    reader().SetVersion(Bytes(255, 0xAB));
    std::vector<char> text(511, 'z');  // ASan catches a byte beyond
    EXPECT_EQ(IC_ReadVer(icdev, text.data()), 0);
    std::string expected;
    for (int i = 0; i < 255; ++i) expected += "AB";
    EXPECT_EQ(std::string(text.data()), expected);
}

TEST_F(DeviceCommands, RefusedVersionLeavesTheBufferAlone) {
    char text[4] = {'a', 'b', 'c', 'd'};
    reader().faults.answer_word = 0x6109;
    EXPECT_EQ(IC_ReadVer(icdev, text), 0x6109);
    EXPECT_EQ(std::string(text, 4), "abcd");
    EXPECT_EQ(IC_ReadVer(icdev, nullptr), vexa::kLengthError);
}

TEST_F(DeviceCommands, BeepersAndSerialNumbersKeepTheLastErrorAndSendNothing) {
    EXPECT_EQ(IC_InitComm(99), vexa::kOpenFailed);  // the only reader is held
    // The reduced build has no beeper: both calls answer -21 and store it.
    const std::int16_t beep = vexa::kReducedBuild ? vexa::kNotSupported : vexa::kOk;
    const std::int16_t kept = vexa::kReducedBuild ? vexa::kNotSupported : vexa::kOpenFailed;
    EXPECT_EQ(IC_Beep(icdev, 10, 20), beep);
    EXPECT_EQ(IC_DevBeep(icdev, 10), beep);

    char snr[80];
    std::fill(std::begin(snr), std::end(snr), 'z');
    EXPECT_EQ(IC_ReadDevSnr(icdev, snr), 0);
    EXPECT_EQ(std::string(snr, 34), std::string(32, 'z') + '\0' + 'z');
    std::fill(std::begin(snr), std::end(snr), 'z');
    EXPECT_EQ(IC_ReadDevSnr_Hex(icdev, snr), kept);  // the register's value
    EXPECT_EQ(std::string(snr, 66), std::string(64, 'z') + '\0' + 'z');

    EXPECT_EQ(LastErrorText(), vexa::kReducedBuild ? kNotSupportedText : kOpenFailedText);
    EXPECT_TRUE(Reports().empty());
}

// Without a data byte the only byte left to read is the frame's check byte,
// which must not pass for the reader's status.
TEST_F(DeviceCommands, EchoWithoutAStatusByteIsALengthError) {
    InsertCard();
    const std::pair<std::uint8_t, int16_t (*)(int32_t)> commands[] = {
        {0xA2, [](int32_t d) { return IC_Status(d); }},
        {0xA6, [](int32_t d) { return IC_Down(d); }},
        {0xA5, [](int32_t d) { return IC_SetCpuPara(d, VEXA_TYPE_CPU, 1, 0); }},
    };
    for (const auto& [code, call] : commands) {
        reader().faults.scripted_response = Frame({0x12, code, 0x00});
        EXPECT_EQ(call(icdev), VEXA_ERR_LENGTH) << std::hex << int{code};
        EXPECT_EQ(vexa::LastError(), VEXA_ERR_LENGTH);
    }
    EXPECT_EQ(IC_CpuGetProtocol(icdev), 0);  // the refused protocol was not taken
}
