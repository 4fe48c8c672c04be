// SPDX-License-Identifier: MIT
// "Fuse" of the AT88SC102 and AT88SC1604, "Fuse State" and "Card Fuse" of
// the AT88SC1608: the texts, the confirmation before each blow and one blow
// per confirmed use. Our library answers -21; At88scFake blows the fuses.
#include <gtest/gtest.h>

#include "demo/res/command_ids.h"
#include "demo/view/card_types.h"
#include "tests/demo/at88sc_fake.h"
#include "tests/demo/demo_harness.h"
#include "tests/demo/library_log.h"
#include "tests/demo/pass_script.h"

namespace demo_test {
namespace {

using demo::MsgAnswer;
using demo::MsgButtons;
using demo::MsgIcon;
namespace cmd = demo::cmd;
namespace card = demo::card;

class FuseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        demo.Start();
        demo.state().m_nCardType = card::kAt88sc1608;
        demo.ui.messages.clear();
        beeps = demo.ui.beeps;
    }
    const RecordingUi::Message& Shown() const { return demo.ui.messages.back(); }

    DemoHarness demo{"sle4442"};
    int beeps = 0;
};

TEST_F(FuseTest, FuseAsksFirstAndReportsTheBlowOnTheStatusLine) {
    demo.state().m_nCardType = card::kAt88sc102;
    demo.Command(cmd::kFuse);  // cancelled
    EXPECT_EQ(Shown(), (RecordingUi::Message{"Card Will Fuse! Continue?", "Warning...",
                                             MsgButtons::kOkCancel, MsgIcon::kNone}));
    EXPECT_EQ(demo.ui.beeps, beeps);
    demo.ui.Answer(MsgAnswer::kOk);
    demo.Command(cmd::kFuse);
    EXPECT_EQ(demo.Status(2), "Fail");  // our library does not blow it
    EXPECT_EQ(demo.ui.beeps, beeps + 5);

    At88scFake fake;
    LibraryLog log;
    for (int type : {card::kAt88sc102, card::kAt88sc1604A, card::kAt88sc1604B}) {
        demo.state().m_nCardType = type;
        demo.ui.Answer(MsgAnswer::kOk);
        demo.Command(cmd::kFuse);
        EXPECT_EQ(demo.Status(2), "Succeed");
    }
    EXPECT_EQ(log.calls,
              (std::vector<std::string>{"IC_Fuse_102", "IC_Fuse_1604", "IC_Fuse_1604B"}));
}

TEST_F(FuseTest, FuseDoesNothingForAnotherCardType) {
    demo.state().m_nCardType = card::k24C02;
    LibraryLog log;
    demo.Command(cmd::kFuse);
    EXPECT_TRUE(demo.ui.messages.empty());
    EXPECT_EQ(demo.ui.beeps, beeps);
    EXPECT_TRUE(log.calls.empty());
}

TEST_F(FuseTest, FuseStateNamesEachFuse) {
    demo.Command(cmd::kFuseState);
    EXPECT_EQ(Shown().text, "Read Fuse Error!");
    EXPECT_EQ(Shown().caption, "Error Message");
    EXPECT_EQ(Shown().icon, MsgIcon::kStop);

    At88scFake fake;
    for (int state : {7, 6, 1, 0, 3}) {
        fake.fuse_state = state;
        demo.Command(cmd::kFuseState);
    }
    EXPECT_EQ(Shown().caption, "Fuse Instance ");
    EXPECT_EQ(Shown().icon, MsgIcon::kNone);
    demo.ui.messages.erase(demo.ui.messages.begin());
    EXPECT_EQ(
        MessageTexts(demo.ui),
        (std::vector<std::string>{"Current Fuse Count  7\nPER No Fuse  CMA No Fuse  FAB No Fuse",
                                  "Current Fuse Count  6\nPER No Fuse  CMA No Fuse  FAB Fuse",
                                  "Current Fuse Count  1\nPER No Fuse  CMA Fuse  FAB Fuse",
                                  "Current Fuse Count  0\nPER Fuse  CMA Fuse  FAB Fuse",
                                  "Current Fuse Count  3Fuse Invaild"}));
    EXPECT_EQ(fake.blows, 0);
}

TEST_F(FuseTest, CardFuseBlowsOneFusePerConfirmedUseInOrder) {
    At88scFake fake;
    demo.Command(cmd::kCardFuse);  // cancelled
    EXPECT_EQ(Shown().text,
              "Current Fuse Count  7\nPER No Fuse  CMA No Fuse  FAB No Fuse"
              "\nCard Fuse is by FAB CMA PER order,One Times fuse One\n This Times Will Fuse FAB"
              "\n\nWarning:Card Fuse can't resume,continue?");
    EXPECT_EQ(Shown().caption, "Mx450");
    EXPECT_EQ(Shown().buttons, MsgButtons::kOkCancel);
    EXPECT_EQ(fake.blows, 0);

    for (const char* next : {"FAB", "CMA", "PER"}) {
        demo.ui.Answer(MsgAnswer::kOk);
        demo.Command(cmd::kCardFuse);
        const std::string& question = demo.ui.messages.end()[-2].text;
        EXPECT_NE(question.find(std::string("This Times Will Fuse ") + next), std::string::npos);
        EXPECT_EQ(Shown().text, " Card Fuse succeed!");
        EXPECT_EQ(Shown().caption, " Card Fuse");
    }
    EXPECT_EQ(fake.blows, 3);

    demo.ui.Answer(MsgAnswer::kOk);
    demo.Command(cmd::kCardFuse);  // all blown: nothing is asked
    EXPECT_EQ(Shown().text, "Current Fuse Count  0\nPER Fuse  CMA Fuse  FAB Fuse\nAll Fuse Do!");
    EXPECT_EQ(Shown().caption, "Card Fuse");
    EXPECT_EQ(fake.blows, 3);
}

TEST_F(FuseTest, CardFuseRefusesAnUnknownStateAndReportsAFailedBlow) {
    At88scFake fake;
    LibraryLog log;
    fake.fuse_state = 3;
    demo.Command(cmd::kCardFuse);
    EXPECT_EQ(Shown().text, "Current Fuse Count  3\nFuse Invaild,Can't Fuse!");
    EXPECT_EQ(Shown().caption, " Card Fuse");
    for (int status : {VEXA_ERR_NOT_SUPPORTED, 1}) {  // 1: no card
        fake.fuse_state = 6;
        fake.write_fuse_status = status;
        demo.ui.Answer(MsgAnswer::kOk);
        demo.Command(cmd::kCardFuse);
        EXPECT_EQ(Shown().text, " Card Fuse fail!");
        EXPECT_EQ(Shown().icon, MsgIcon::kStop);
    }
    EXPECT_EQ(log.Count("IC_WriteFuse"), 2);
}

}  // namespace
}  // namespace demo_test
