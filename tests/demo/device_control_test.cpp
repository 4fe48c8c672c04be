// SPDX-License-Identifier: MIT
// "Device Control": the beeper and the reader's own memory through the
// simulated reader (whose memory answers while the slot is empty), the
// framework's refusals, and the concealed "page mode" button.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "demo/res/command_ids.h"
#include "demo/res/secure_dialog_templates.h"
#include "tests/demo/demo_harness.h"
#include "tests/demo/library_log.h"

namespace demo_test {
namespace {

using demo::device_dlg::kBeep;
using demo::device_dlg::kBeepTime;
using demo::device_dlg::kData;
using demo::device_dlg::kLength;
using demo::device_dlg::kRead;
using demo::device_dlg::kStart;
using demo::device_dlg::kWrite;
using Step = RecordingUi::DialogStep;

class DeviceDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { demo.Start(); }

    // Runs the dialog with the operator's steps; the dialog is cancelled
    // after them unless a step closed it.
    void Run(std::vector<Step> steps) {
        demo.ui.messages.clear();
        demo.ui.ScriptDialog(std::move(steps));
        demo.Command(demo::cmd::kDeviceControl);
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : demo.ui.messages) texts.push_back(m.text);
        return texts;
    }
    const RecordingUi::DialogState& After(std::size_t step) const {
        return demo.ui.dialogs.back().after_steps.at(step);
    }
    std::vector<std::uint8_t> Memory(int from, int count) {
        auto& bytes = demo.host.reader().memory().bytes();
        return {bytes.begin() + from, bytes.begin() + from + count};
    }

    DemoHarness demo{"none"};
};

TEST_F(DeviceDialogTest, OpensWithItsInitialValuesAndQuitDoesNothingFurther) {
    LibraryLog log;
    Run({});
    ASSERT_EQ(demo.ui.dialogs.size(), 1u);
    const RecordingUi::ShownDialog& shown = demo.ui.dialogs[0];
    EXPECT_EQ(shown.template_id, 146);
    EXPECT_EQ(shown.title, "device");
    EXPECT_EQ(shown.fields.at(kBeepTime), "20");
    EXPECT_EQ(shown.fields.at(kStart), "0");
    EXPECT_EQ(shown.fields.at(kLength), "10");
    EXPECT_EQ(shown.fields.at(kData), "");
    EXPECT_TRUE(shown.hidden.count(demo::kIdOk)) << "page mode starts concealed";
    EXPECT_TRUE(log.calls.empty());
    EXPECT_TRUE(demo.ui.messages.empty());
}

TEST_F(DeviceDialogTest, BeepTimeMustBeAnIntegerFrom0To255) {
    LibraryLog log;
    Run({{{{kBeepTime, "256"}}, kBeep},
         {{{kBeepTime, "-1"}}, kBeep},
         {{{kBeepTime, "ten"}}, kBeep},
         {{{kBeepTime, "255"}}, kBeep},
         {{{kBeepTime, "0"}}, kBeep}});
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"input error!", "input error!",
                                                        "Please enter an integer."}));
    EXPECT_EQ(demo.ui.messages[0].caption, "Mx450");
    EXPECT_EQ(demo.ui.messages[0].icon, demo::MsgIcon::kNone);
    EXPECT_EQ(log.Count("IC_Beep"), 2) << "255 and 0 go to the reader, nothing else";
    EXPECT_EQ(After(2).focus, kBeepTime);
    EXPECT_EQ(After(2).fields.at(kBeepTime), "ten") << "the operator's text stays";
}

TEST_F(DeviceDialogTest, AFailedBeepIsReported) {
    LibraryLog log;
    log.Fail("IC_Beep", 1);
    Run({{{}, kBeep}});
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0].text, "beep fail");
    EXPECT_EQ(demo.ui.messages[0].caption, "Message");
}

TEST_F(DeviceDialogTest, WritesTheTextAndZerosAndReadsItBackUpToTheFirstZero) {
    Run({{{{kStart, "100"}, {kLength, "10"}, {kData, "Hello"}}, kWrite},
         {{{kData, "overwritten"}}, kRead}});
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0].text, "write data succeed");
    EXPECT_EQ(demo.ui.messages[0].caption, "Message");
    EXPECT_EQ(Memory(100, 10), (std::vector<std::uint8_t>{'H', 'e', 'l', 'l', 'o', 0, 0, 0, 0, 0}));
    EXPECT_EQ(Memory(110, 1), std::vector<std::uint8_t>{0xFF}) << "nothing beyond the length";
    EXPECT_EQ(After(1).fields.at(kData), "Hello");
}

TEST_F(DeviceDialogTest, ReadShowsTheBytesAsCharactersAndPutsTheValuesBack) {
    const std::string stored("AB\0CDEFGHIJ", 11);
    std::copy(stored.begin(), stored.end(), demo.host.reader().memory().bytes().begin() + 40);
    Run({{{{kStart, " 40"}, {kLength, "+10"}}, kRead}});
    EXPECT_TRUE(demo.ui.messages.empty());
    EXPECT_EQ(After(0).fields.at(kData), "AB");
    EXPECT_EQ(After(0).fields.at(kStart), "40");
    EXPECT_EQ(After(0).fields.at(kLength), "10");
}

TEST_F(DeviceDialogTest, TheWholeMemoryFitsTheDataFieldAndGoesBackUnchanged) {
    auto& bytes = demo.host.reader().memory().bytes();
    std::fill(bytes.begin(), bytes.end(), 'x');
    bytes[2047] = 'y';
    Run({{{{kStart, "0"}, {kLength, "2048"}}, kRead}, {{{kData, ""}}, demo::kIdStatic}});
    const std::string shown = After(0).fields.at(kData);
    ASSERT_EQ(shown.size(), 2048u);
    EXPECT_EQ(shown.back(), 'y');

    std::fill(bytes.begin(), bytes.end(), 0);
    Run({{{{kStart, "0"}, {kLength, "2048"}, {kData, shown}}, kWrite}});
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"write data succeed"});
    EXPECT_EQ(bytes[0], 'x');
    EXPECT_EQ(bytes[2047], 'y');
}

TEST_F(DeviceDialogTest, AccessesMustLieInsideTheMemory) {
    LibraryLog log;
    Run({{{{kStart, "2048"}, {kLength, "0"}}, kWrite},
         {{}, kRead},
         {{{kStart, "2000"}, {kLength, "49"}}, kWrite},
         {{}, kRead},
         {{{kStart, "2049"}, {kLength, "0"}}, kWrite},
         {{}, kRead},
         // A length that takes the sum past 32 bits is still beyond the end.
         {{{kStart, "1"}, {kLength, "4294967295"}}, kWrite},
         {{}, kRead},
         {{{kStart, "2000"}, {kLength, "48"}}, kRead}});
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{"write data succeed", "length error", "length error",
                                        "start addr error", "input start addr error",
                                        "length error", "length error"}));
    EXPECT_EQ(log.Count("IC_WriteDevice"), 1);
    EXPECT_EQ(log.Count("IC_ReadDevice"), 2);
}

TEST_F(DeviceDialogTest, AddressAndLengthMustBeUnsignedIntegers) {
    LibraryLog log;
    Run({{{{kStart, "-1"}}, kRead}, {{{kStart, "0"}, {kLength, "1x"}}, kWrite}});
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Please enter a positive integer.",
                                                        "Please enter a positive integer."}));
    EXPECT_EQ(After(0).focus, kStart);
    EXPECT_EQ(After(1).focus, kLength);
    EXPECT_TRUE(log.calls.empty());
}

TEST_F(DeviceDialogTest, ReaderFailuresAreReportedAsFailures) {
    LibraryLog log;
    log.Fail("IC_ReadDevice", VEXA_ERR_SEND);
    log.Fail("IC_WriteDevice", VEXA_ERR_WRITE_MISMATCH);
    Run({{{{kData, "kept"}}, kRead}, {{{kData, "abc"}}, kWrite}});
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"read data error", "write data error"}));
    EXPECT_EQ(demo.ui.messages[0].caption, "message");
    EXPECT_EQ(demo.ui.messages[1].caption, "message");
    EXPECT_EQ(After(0).fields.at(kData), "") << "a failed read empties the text";
}

// ---- The concealed "page mode" ----

std::vector<int> g_types;

int16_t RecordType(int32_t icdev, int32_t type) {
    g_types.push_back(type);
    return LibraryLog::active->saved.IC_InitType(icdev, type);
}

TEST_F(DeviceDialogTest, OnlyARightDoubleClickInTheCornerRevealsPageMode) {
    LibraryLog log;
    Run({{{}, demo::kIdOk, std::pair{10, 10}}, {{}, demo::kIdOk, std::pair{4, 5}}});
    EXPECT_TRUE(After(0).hidden.count(demo::kIdOk));
    EXPECT_TRUE(After(1).hidden.count(demo::kIdOk));
    EXPECT_EQ(log.Count("IC_InitType"), 0) << "a concealed button cannot be pressed";
}

TEST_F(DeviceDialogTest, PageModeSelectsThe24C16AndThenLibraryType1) {
    LibraryLog log;
    g_types.clear();
    demo::Lib().IC_InitType = RecordType;
    Run({{{}, RecordingUi::kNoButton, std::pair{4, 4}}, {{}, demo::kIdOk}});
    EXPECT_FALSE(After(0).hidden.count(demo::kIdOk));
    EXPECT_EQ(demo.state().m_nCardType, 68);
    EXPECT_EQ(demo.TypeName(), "24C16");
    EXPECT_EQ(g_types, (std::vector<int>{64, 1}))
        << "the 24C16 as the library knows it, then page mode";
    EXPECT_EQ(demo.Status(2), "Set Succeed");
    EXPECT_TRUE(demo.ui.messages.empty());
}

TEST_F(DeviceDialogTest, AFailedPageModeIsReported) {
    LibraryLog log;
    log.Fail("IC_InitType", 0x6109, 1);  // the 24C16 selection goes, page mode not
    Run({{{}, demo::kIdOk, std::pair{0, 0}}});
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0].text, "Page Mode Fail!");
    EXPECT_EQ(demo.ui.messages[0].caption, "Message");
    EXPECT_EQ(demo.ui.messages[0].icon, demo::MsgIcon::kInformation);
}

}  // namespace
}  // namespace demo_test
