// SPDX-License-Identifier: MIT
// The "CPU card" dialog against the simulated CPU cards and module card:
// resets, commands typed in hexadecimal, the slot buttons and every failure
// message.
#include "demo/dialogs/cpu_card_dialog.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "demo/dialogs/hex_text.h"
#include "demo/res/command_ids.h"
#include "demo/res/dialog_templates.h"
#include "demo/res/menus.h"
#include "sim/report_log.h"
#include "tests/demo/demo_harness.h"
#include "tests/demo/library_log.h"
#include "vexa/link/selection.h"

namespace demo_test {
namespace {

namespace ids = demo::cpu_dlg;

// The commands the dialog handed to the library, as it handed them.
std::vector<std::vector<std::uint8_t>> g_commands;

int16_t RecordingApdu(int32_t icdev, int32_t slen, const unsigned char* command,
                      unsigned char* rlen, unsigned char* response) {
    g_commands.emplace_back(command, command + (slen & 0xFF));
    return IC_CpuApdu(icdev, slen, command, rlen, response);
}

// The program started on the named card, with the dialog open over it.
class CpuDialogTest : public ::testing::Test {
  protected:
    void Open(const char* card) {
        demo_ = std::make_unique<DemoHarness>(card);
        demo_->Start();
        dialog_ = std::make_unique<demo::CCpuCardDlg>(demo_->ui, demo_->state().m_icdev);
        dialog_->OnInitDialog();
        g_commands.clear();
        saved_apdu_ = demo::Lib().IC_CpuApdu;
        demo::Lib().IC_CpuApdu = RecordingApdu;
    }
    void TearDown() override {
        if (demo_) demo::Lib().IC_CpuApdu = saved_apdu_;
    }
    void Press(int id) { EXPECT_EQ(dialog_->OnButton(id), demo::DialogAction::kStayOpen); }
    // Types the command and presses "command".
    void Send(const std::string& text) {
        dialog_->SetText(ids::kCommand, text);
        Press(ids::kSendCommand);
    }
    std::string Field(int id) const { return dialog_->Text(id); }
    const std::vector<RecordingUi::Message>& Messages() const { return demo_->ui.messages; }
    // The command frames the reader received since `from`.
    std::vector<sim::Frame> FramesSince(std::size_t from) const {
        std::vector<sim::Frame> frames = sim::SentFrames(demo_->host.log);
        frames.erase(frames.begin(), frames.begin() + static_cast<std::ptrdiff_t>(from));
        return frames;
    }
    std::size_t FrameCount() const { return sim::SentFrames(demo_->host.log).size(); }

    std::unique_ptr<DemoHarness> demo_;
    std::unique_ptr<demo::CCpuCardDlg> dialog_;
    decltype(&IC_CpuApdu) saved_apdu_ = nullptr;
};

TEST_F(CpuDialogTest, OpensWithEmptyFieldsFromTheCpuMenuAndMakesNoCallOnQuit) {
    DemoHarness demo("cpu-t0");
    demo.Start();
    ASSERT_EQ(demo.ui.menu, UsbMenuBar(demo::menu::kCpu));
    LibraryLog log;
    demo.ui.ScriptDialog({{{{ids::kCommand, "0084000008"}}, ids::kCardReset}});
    demo.Command(demo::cmd::kCpuCard);
    demo.Command(demo::cmd::kCpuCard);
    ASSERT_EQ(demo.ui.dialogs.size(), 2u);
    for (const RecordingUi::ShownDialog& shown : demo.ui.dialogs) {
        EXPECT_EQ(shown.template_id, 127);
        EXPECT_EQ(shown.title, "CPU card");
        for (int id : {ids::kAnswerToReset, ids::kCommand, ids::kResponse})
            EXPECT_EQ(shown.fields.at(id), "") << "field " << id;
    }
    EXPECT_EQ(log.calls, std::vector<std::string>{"IC_CpuReset"});
    EXPECT_TRUE(demo.ui.messages.empty());
    EXPECT_EQ(demo.state().m_nCardType, 12);
}

TEST_F(CpuDialogTest, UnderT0ResetShowsTheAnswerAndCommandsTravelAsTyped) {
    Open("cpu-t0");
    Press(ids::kCardReset);
    EXPECT_EQ(Field(ids::kAnswerToReset),
              "3B6C0000" + demo::BytesToHexText(std::vector<std::uint8_t>(
                               {'S', 'I', 'M', '-', 'C', 'O', 'S', ' ', 'V', '1', '.', '0'})));

    const std::size_t before = FrameCount();
    Send("00a4040000");
    Send("00A4040000");
    ASSERT_EQ(g_commands.size(), 2u);
    EXPECT_EQ(g_commands[0], (std::vector<std::uint8_t>{0x00, 0xA4, 0x04, 0x00, 0x00}));
    EXPECT_EQ(g_commands[1], g_commands[0]);
    const std::vector<sim::Frame> frames = FramesSince(before);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], frames[1]);
    EXPECT_EQ(frames[0][1], 0xA4) << "the CPU card's command code";

    Send("0084000008");  // GET CHALLENGE: 8 bytes and 9000
    EXPECT_EQ(Field(ids::kResponse).size(), 20u);
    EXPECT_EQ(Field(ids::kResponse).substr(16), "9000");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(CpuDialogTest, UnderT1TheAnswerOfEachBlockIsShownUnwrapped) {
    Open("cpu-t1");
    Press(ids::kCardReset);
    EXPECT_EQ(Field(ids::kAnswerToReset), "3B808131FE458B");
    for (int round = 0; round < 3; ++round) {
        dialog_->SetText(ids::kResponse, "");
        Send("0084000008");
        EXPECT_EQ(Field(ids::kResponse).size(), 20u) << "round " << round;
        EXPECT_EQ(Field(ids::kResponse).substr(16), "9000") << "round " << round;
    }
    Send("00a4000002 3F00");
    EXPECT_EQ(Messages().size(), 1u);
    Send("00a40000023f00");
    EXPECT_EQ(Field(ids::kResponse), "9000");
    EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(CpuDialogTest, TextThatIsNotHexadecimalIsRefusedBeforeAnythingIsSent) {
    Open("cpu-t0");
    Press(ids::kCardReset);
    Send("0084000008");
    const std::string response = Field(ids::kResponse);
    for (const char* text : {"00 A4", "00A4040G00", "-1"}) {
        g_commands.clear();
        demo_->ui.messages.clear();
        Send(text);
        EXPECT_TRUE(g_commands.empty()) << text;
        ASSERT_EQ(Messages().size(), 1u) << text;
        EXPECT_EQ(Messages()[0], (RecordingUi::Message{"data format error", "error message",
                                                       MsgButtons::kOk, MsgIcon::kNone}));
        EXPECT_EQ(Field(ids::kResponse), response);
        EXPECT_EQ(Field(ids::kCommand), text) << "the typed text stays";
    }
}

TEST_F(CpuDialogTest, OddAndEmptyTextsSendTheWholePairsAndFailuresShowTheCode) {
    Open("cpu-t0");
    Press(ids::kCardReset);
    Send("0084000008");
    const std::string response = Field(ids::kResponse);

    Send("00A40");
    Send("");
    ASSERT_EQ(g_commands.size(), 3u);
    EXPECT_EQ(g_commands[1], (std::vector<std::uint8_t>{0x00, 0xA4}));
    EXPECT_TRUE(g_commands[2].empty());
    // The library refuses both lengths.
    ASSERT_EQ(Messages().size(), 2u);
    for (const RecordingUi::Message& m : Messages()) {
        EXPECT_EQ(m.text, "ERR_CODE=-17");
        EXPECT_EQ(m.caption, "error message");
        EXPECT_EQ(m.icon, MsgIcon::kNone);
    }
    EXPECT_EQ(Field(ids::kResponse), response);
}

TEST_F(CpuDialogTest, AFailedResetShowsItsCodeAndKeepsTheOldAnswer) {
    Open("cpu-t0");
    Press(ids::kCardReset);
    const std::string atr = Field(ids::kAnswerToReset);
    {
        LibraryLog log;
        log.Fail("IC_CpuReset", -2);
        Press(ids::kCardReset);
    }
    demo_->host.reader().Remove();
    Press(ids::kCardReset);
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[0].text, "ERR_CODE=-2");
    EXPECT_EQ(Messages()[0].caption, "Error Message");
    EXPECT_EQ(Messages()[0].icon, MsgIcon::kNone);
    EXPECT_EQ(Messages()[1].text, "ERR_CODE=" + std::to_string(0x61D8));
    EXPECT_EQ(Field(ids::kAnswerToReset), atr);
}

TEST_F(CpuDialogTest, TheSamSlotUsesTheModuleCommandsAndLeavesTheViewsType) {
    Open("sam");
    const int card_type = demo_->state().m_nCardType;
    Press(ids::kSamCard);
    EXPECT_EQ(vexa::CurrentSelection().card_type, 13);
    const std::size_t before = FrameCount();
    Press(ids::kCardReset);
    EXPECT_EQ(Field(ids::kAnswerToReset).substr(0, 8), "3B6C0000");
    Send("0084000008");
    EXPECT_EQ(Field(ids::kResponse).substr(16), "9000");
    const std::vector<sim::Frame> frames = FramesSince(before);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0][1], 0xA8);
    EXPECT_EQ(frames[1][1], 0xA9);

    Press(ids::kMainCard);
    EXPECT_EQ(vexa::CurrentSelection().card_type, 12);
    EXPECT_EQ(demo_->state().m_nCardType, card_type);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(CpuDialogTest, PowerDownSlotAndEjectFailuresAreReportedUnderTheProgramsTitle) {
    Open("cpu-t0");
    Press(ids::kCardReset);
    Press(ids::kPowerDown);
    EXPECT_TRUE(Messages().empty());
    Send("0084000008");  // a powered-down card does not answer
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, "ERR_CODE=" + std::to_string(0x61D4));

    demo_->ui.messages.clear();
    Press(ids::kPushCard);  // the reader cannot eject
    {
        LibraryLog log;
        log.Fail("IC_Down", VEXA_ERR_RECEIVE);
        log.Fail("IC_InitType", VEXA_ERR_RECEIVE);
        Press(ids::kPowerDown);
        Press(ids::kMainCard);
        Press(ids::kSamCard);
    }
    const std::vector<std::string> expected = {"IC_Pushout Error.", "PowerDown Error.",
                                               "IC_InitType Error.", "IC_InitType Error."};
    ASSERT_EQ(Messages().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(Messages()[i],
                  (RecordingUi::Message{expected[i], "Mx450", MsgButtons::kOk, MsgIcon::kNone}));
    }
}

TEST_F(CpuDialogTest, TheCommandFieldTakesAtMostAFullCommand) {
    Open("cpu-t0");
    Press(ids::kCardReset);
    std::string text = "00D60000FA" + std::string(500, '1') + "2233";
    Send(text);
    EXPECT_EQ(Field(ids::kCommand).size(), 510u);
    ASSERT_EQ(g_commands.size(), 1u);
    EXPECT_EQ(g_commands[0].size(), 255u);
    EXPECT_EQ(g_commands[0][254], 0x11);
}

}  // namespace
}  // namespace demo_test
