// SPDX-License-Identifier: MIT
// "Check Pass" and "Change Pass" of the SLE4442 and SLE4428 against the
// simulated cards: the security code checked, refused, counted down, and
// changed so that the next check takes the new code.
#include <gtest/gtest.h>

#include "demo/res/command_ids.h"
#include "sim/card_sle4428.h"
#include "sim/card_sle4442.h"
#include "tests/demo/demo_harness.h"
#include "tests/demo/library_log.h"
#include "tests/demo/pass_script.h"

namespace demo_test {
namespace {

using Strings = std::vector<std::string>;
namespace cmd = demo::cmd;

TEST(Sle4442PasswordTest, TheRightCodeSucceedsAWrongOneCostsAnAttemptWithoutBeeps) {
    DemoHarness demo("sle4442");
    auto& card = demo.CardAs<sim::Sle4442Card>();
    demo.Start();
    LibraryLog log;
    TypePassword(demo.ui, "123456");
    int beeps = demo.ui.beeps;
    demo.Command(cmd::kCheckPass);
    EXPECT_EQ(MessageTexts(demo.ui), Strings{"Password Error!"});
    EXPECT_EQ(demo.ui.messages.back().caption, "Error Message");
    EXPECT_EQ(demo.ui.messages.back().icon, demo::MsgIcon::kExclamation);
    EXPECT_EQ(demo.ui.beeps, beeps);
    EXPECT_EQ(card.memory.security[0], 0x03);

    TypePassword(demo.ui, "FFFFFF");
    demo.Command(cmd::kCheckPass);
    EXPECT_EQ(demo.Status(2), "Succeed");
    EXPECT_EQ(demo.ui.beeps, beeps + 5);
    EXPECT_TRUE(card.verified());
    EXPECT_EQ(card.memory.security[0], 0x07);
    // The counter is read twice before the dialog, then the code goes out.
    EXPECT_EQ(log.calls,
              (Strings{"IC_ReadCount_SLE4442", "IC_ReadCount_SLE4442", "IC_CheckPass_SLE4442",
                       "IC_ReadCount_SLE4442", "IC_ReadCount_SLE4442", "IC_CheckPass_SLE4442"}));
}

TEST(Sle4442PasswordTest, OnceTheCounterIsSpentNoDialogIsShown) {
    DemoHarness demo("sle4442");
    demo.Start();
    for (int i = 0; i < 3; ++i) {
        TypePassword(demo.ui, "000000");
        demo.Command(cmd::kCheckPass);
    }
    ASSERT_EQ(demo.ui.dialogs.size(), 3u);
    demo.ui.messages.clear();
    demo.Command(cmd::kCheckPass);
    demo.Command(cmd::kChangePass);
    EXPECT_EQ(MessageTexts(demo.ui),
              (Strings{"Card Password Count Equal To Zero", "Card Password Count Equal To Zero"}));
    EXPECT_EQ(demo.ui.dialogs.size(), 3u);
}

TEST(Sle4442PasswordTest, CodesOfFiveOrSevenDigitsNeverReachTheCard) {
    DemoHarness demo("sle4442");
    demo.Start();
    LibraryLog log;
    for (const char* code : {"FFFFF", "FFFFFFF"}) {
        TypePassword(demo.ui, code);
        demo.Command(cmd::kCheckPass);
        TypePassword(demo.ui, code);
        demo.Command(cmd::kChangePass);
    }
    EXPECT_EQ(MessageTexts(demo.ui),
              (Strings{"Password Lengh Must Be Six!", "assword Lengh Must Be Six!",
                       "Password Lengh Must Be Six!", "assword Lengh Must Be Six!"}));
    EXPECT_EQ(log.Count("IC_CheckPass_SLE4442") + log.Count("IC_ChangePass_SLE4442"), 0);
    EXPECT_EQ(demo.CardAs<sim::Sle4442Card>().memory.security[0], 0x07);
}

TEST(Sle4442PasswordTest, AChangedCodeStartingWithAZeroByteIsTheOneTheNextCheckTakes) {
    DemoHarness demo("sle4442");
    auto& card = demo.CardAs<sim::Sle4442Card>();
    demo.Start();
    TypePassword(demo.ui, "FFFFFF");
    demo.Command(cmd::kCheckPass);
    TypePassword(demo.ui, "00a0B1");
    demo.Command(cmd::kChangePass);
    EXPECT_EQ(demo.Status(2), "Succeed");
    EXPECT_EQ(card.memory.security, (std::array<std::uint8_t, 4>{0x07, 0x00, 0xA0, 0xB1}));

    card.PowerDown();
    TypePassword(demo.ui, "FFFFFF");
    demo.Command(cmd::kCheckPass);
    TypePassword(demo.ui, "00A0B1");
    demo.Command(cmd::kCheckPass);
    EXPECT_EQ(MessageTexts(demo.ui), Strings{"Password Error!"});
    EXPECT_EQ(demo.Status(2), "Succeed");
    EXPECT_TRUE(card.verified());
}

TEST(Sle4442PasswordTest, CancellingEndsSilentlyAndEveryCommandEndsEditMode) {
    DemoHarness demo("sle4442");
    demo.Start();
    demo.Command(cmd::kReadCard);
    demo.state().m_bEditMode = 1;
    demo.state().m_nCaretPane = 1;
    demo.ui.ShowCaret();
    LibraryLog log;
    const int beeps = demo.ui.beeps;
    demo.Command(cmd::kChangePass);  // the dialog is cancelled
    EXPECT_EQ(demo.state().m_bEditMode, 0);
    EXPECT_EQ(demo.state().m_nCaretPane, 0);
    EXPECT_FALSE(demo.ui.caret.shown);
    EXPECT_EQ(demo.Status(2), "");  // "Read Succeed" is gone
    EXPECT_TRUE(demo.ui.messages.empty());
    EXPECT_EQ(demo.ui.beeps, beeps);
    EXPECT_EQ(log.Count("IC_ChangePass_SLE4442"), 0);

    const RecordingUi::ShownDialog& dialog = demo.ui.dialogs.back();
    EXPECT_EQ(dialog.template_id, 102);
    EXPECT_EQ(dialog.title, "input pass");
    EXPECT_EQ(dialog.fields.at(demo::pass_dlg::kPass), "");
}

TEST(Sle4428PasswordTest, AWrongCodeBeepsFiveTimesAndAChangedCodeIsTakenNextTime) {
    DemoHarness demo("sle4428");
    auto& card = demo.CardAs<sim::Sle4428Card>();
    demo.Start();
    TypePassword(demo.ui, "1234");
    const int beeps = demo.ui.beeps;
    demo.Command(cmd::kCheckPass);
    EXPECT_EQ(demo.ui.beeps, beeps + 5);
    EXPECT_EQ(card.memory.main[sim::Sle4428Card::kCounterAddress], 0x7F);

    for (const char* code : {"FFF", "FFFFF"}) {
        TypePassword(demo.ui, code);
        demo.Command(cmd::kCheckPass);
    }
    TypePassword(demo.ui, "FFFF");
    demo.Command(cmd::kCheckPass);
    TypePassword(demo.ui, "0000");
    demo.Command(cmd::kChangePass);
    card.PowerDown();
    TypePassword(demo.ui, "0000");
    demo.Command(cmd::kCheckPass);
    EXPECT_EQ(MessageTexts(demo.ui), (Strings{"Password Error!", "Password Lengh Must Be Four!",
                                              "Password Lengh Must Be Four!"}));
    EXPECT_EQ(demo.Status(2), "Succeed");
    EXPECT_TRUE(card.verified());
    EXPECT_EQ(card.memory.main[sim::Sle4428Card::kCodeAddress], 0x00);
}

TEST(SlePasswordTest, AChangeBeforeTheCodeIsPresentedIsAnErrorEvenToZeros) {
    for (auto [card, code] : {std::pair{"sle4442", "123456"}, std::pair{"sle4428", "0000"}}) {
        DemoHarness demo(card);
        demo.Start();
        TypePassword(demo.ui, code);
        demo.Command(cmd::kChangePass);
        EXPECT_EQ(MessageTexts(demo.ui), Strings{"Change Password Error!"}) << card;
    }
}

TEST(Sle4428PasswordTest, ASpentCounterHasItsOwnMessageForTheChange) {
    DemoHarness demo("sle4428");
    demo.CardAs<sim::Sle4428Card>().memory.main[sim::Sle4428Card::kCounterAddress] = 0;
    demo.Start();
    demo.Command(cmd::kCheckPass);
    demo.Command(cmd::kChangePass);
    EXPECT_EQ(MessageTexts(demo.ui),
              (Strings{"Card Password Count Equal To Zero", "Card Password Count Equal To Zero!"}));
    EXPECT_TRUE(demo.ui.dialogs.empty());
}

}  // namespace
}  // namespace demo_test
