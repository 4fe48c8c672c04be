// SPDX-License-Identifier: MIT
// The password commands of the AT88SC102 and AT88SC1604 (both layouts) and
// of the card types that have none. Our library answers -21 for these
// families, so each command ends in its failure path there; the paths past
// the card run against At88scFake.
#include <gtest/gtest.h>

#include "demo/commands/password_steps.h"
#include "demo/res/command_ids.h"
#include "demo/view/card_types.h"
#include "tests/demo/at88sc_fake.h"
#include "tests/demo/demo_harness.h"
#include "tests/demo/library_log.h"
#include "tests/demo/pass_script.h"

namespace demo_test {
namespace {

using Strings = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;
namespace cmd = demo::cmd;
namespace card = demo::card;

class At88scPasswordTest : public ::testing::Test {
  protected:
    void Select(int card_type) {
        demo.Start();
        demo.state().m_nCardType = card_type;
        demo.ui.messages.clear();
        demo.ui.dialogs.clear();
        beeps = demo.ui.beeps;
    }
    // Runs `id` with `typed` entered in the password dialog.
    void Run(int id, const std::string& typed) {
        TypePassword(demo.ui, typed);
        demo.Command(id);
    }
    int Beeps() const { return demo.ui.beeps - beeps; }

    DemoHarness demo{"sle4442"};
    int beeps = 0;
};

TEST_F(At88scPasswordTest, OurLibraryEndsEachCommandInItsFailurePath) {
    Select(card::kAt88sc102);
    LibraryLog log;
    demo.Command(cmd::kCheckPass);               // counter first: no dialog
    Run(cmd::kCheckEraseArea1, "FFFFFFFFFFFF");  // no counter: the key is refused
    EXPECT_EQ(Beeps(), 5);
    demo.Command(cmd::kChangeEraseArea2);
    demo.state().m_nCardType = card::kAt88sc1604B;
    Run(cmd::kCheckPass, "1234");  // dialog first
    Run(cmd::kCheckArea2, "1234");
    demo.Command(cmd::kChangeArea1);
    EXPECT_EQ(MessageTexts(demo.ui),
              (Strings{"System Not Ready!", "Password Error!", "System Not Ready!",
                       "System Not Ready!", "Password Error!", "System Not Ready!"}));
    EXPECT_EQ(demo.ui.dialogs.size(), 3u);
    EXPECT_EQ(log.Count("IC_ReadCount_1604B") + log.Count("IC_CheckPass_1604B"), 3);
    EXPECT_EQ(log.Count("IC_ReadCount_1604") + log.Count("IC_CheckPass_1604"), 0);
}

TEST_F(At88scPasswordTest, At88sc102UserPasswordOpensTheCardAndReadsIt) {
    At88scFake fake;
    fake.passwords[0] = {0x00, 0x12};
    Select(card::kAt88sc102);
    LibraryLog log;
    Run(cmd::kCheckPass, "0013");
    EXPECT_EQ(MessageTexts(demo.ui), Strings{"Password Error!"});
    EXPECT_EQ(Beeps(), 5);
    Run(cmd::kCheckPass, "0012");
    EXPECT_EQ(fake.presented.back(), (Bytes{0x00, 0x12}));
    EXPECT_EQ(log.Count("IC_Read"), 1);  // "Read Card" ran
    EXPECT_EQ(Beeps(), 5 + 4 + 5);
    EXPECT_EQ(demo.Status(2), "Succeed");
    EXPECT_EQ(fake.counted, (std::vector<int>{0, 0, 0, 0}));

    fake.change_status = 1;
    Run(cmd::kChangePass, "4321");
    Run(cmd::kChangePass, "432");
    fake.attempts = 0;
    Run(cmd::kChangePass, "4321");
    EXPECT_EQ(MessageTexts(demo.ui),
              (Strings{"Password Error!", "Change Password Error!", "Password Lengh Must Be Four!",
                       "Card Password Count Equal To Zero"}));
    EXPECT_EQ(demo.ui.dialogs.size(), 4u);
}

TEST_F(At88scPasswordTest, At88sc102EraseKeysEraseTheirAreaAndAreCountedOnChange) {
    At88scFake fake;
    fake.passwords[1] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
    fake.passwords[2] = {0xA1, 0xA2, 0xA3, 0xA4};
    Select(card::kAt88sc102);
    LibraryLog log;
    Run(cmd::kCheckEraseArea1, "11223344");
    Run(cmd::kCheckEraseArea2, "112233445566");
    Run(cmd::kCheckEraseArea1, "112233445566");
    EXPECT_EQ(demo.Status(2), "Succeed");
    fake.erase_status = 0x6581;  // a refusal passed on from the reader
    Run(cmd::kCheckEraseArea2, "A1A2A3A4");
    EXPECT_EQ(demo.Status(2), "Fail");
    EXPECT_EQ(fake.erased, (std::vector<std::pair<int, int>>{{24, 62}, {93, 63}}));
    EXPECT_EQ(log.Count("IC_Read"), 1);  // only the erased card is read again
    EXPECT_TRUE(fake.counted.empty());

    Run(cmd::kChangeEraseArea2, "112233445566");
    Run(cmd::kChangeEraseArea1, "0000000000AB");
    EXPECT_EQ(fake.passwords[1], (Bytes{0, 0, 0, 0, 0, 0xAB}));
    EXPECT_EQ(fake.counted, (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(MessageTexts(demo.ui),
              (Strings{"Password Lengh Must Be 12!", "Password Lengh Must Be 8!",
                       "Card Password Length Must Be 8!"}));
}

TEST_F(At88scPasswordTest, At88sc1604PasswordsByIndexWithTheirCountersAndMessages) {
    At88scFake fake;
    fake.passwords = {{0, {0x00, 0x01}}, {3, {0x33, 0x33}}, {13, {0xE3, 0xE3}}};
    Select(card::kAt88sc1604A);
    LibraryLog log;
    Run(cmd::kCheckArea3, "3333");        // no counter
    Run(cmd::kCheckEraseArea3, "E3E3");   // counter 13
    Run(cmd::kChangeArea2, "2222");       // counter 0, index 2
    Run(cmd::kChangeEraseArea4, "E4E4");  // counter 0, index 14
    Run(cmd::kChangePass, "0002");
    EXPECT_EQ(fake.counted, (std::vector<int>{13, 13, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(fake.passwords[2], (Bytes{0x22, 0x22}));
    EXPECT_EQ(fake.passwords[14], (Bytes{0xE4, 0xE4}));
    EXPECT_EQ(fake.passwords[0], (Bytes{0x00, 0x02}));
    EXPECT_EQ(Beeps(), 5 * 5);
    EXPECT_TRUE(demo.ui.messages.empty());
    EXPECT_EQ(log.Count("IC_ChangePass_1604") + log.Count("IC_CheckPass_1604"), 5);

    demo.state().m_nCardType = card::kAt88sc1604B;
    fake.change_status = 1;
    Run(cmd::kChangeArea4, "4444");
    Run(cmd::kCheckArea1, "12345");
    fake.attempts = 0;
    demo.Command(cmd::kCheckEraseArea1);
    Run(cmd::kCheckPass, "0002");  // the dialog comes before the counter
    EXPECT_EQ(
        MessageTexts(demo.ui),
        (Strings{"Change Password Fail!", "Password Lengh Must Be Four!",
                 "This Area Password Count Equal To Zero", "Card Password Count Equal To Zero"}));
    EXPECT_EQ(demo.ui.dialogs.size(), 5u + 3u);
}

TEST_F(At88scPasswordTest, OtherCardTypesEndSilentlyOrSayNoFunction) {
    Select(card::k24C02);
    LibraryLog log;
    for (int id : {cmd::kCheckPass, cmd::kCheckArea1, cmd::kCheckEraseArea1}) demo.Command(id);
    EXPECT_EQ(MessageTexts(demo.ui), (Strings(3, "No Function")));
    demo.Command(cmd::kChangePass);
    EXPECT_EQ(demo.Status(2), "No function!");
    demo.Command(cmd::kChangeArea1);
    EXPECT_EQ(demo.Status(2), "No Function");
    EXPECT_EQ(Beeps(), 10);

    demo.state().m_nCardType = card::kAt88sc102;  // no areas 3 and 4, no area passwords
    demo.ui.messages.clear();
    demo.Command(cmd::kCheckEraseArea3);
    demo.Command(cmd::kCheckArea1);
    demo.Command(cmd::kChangeArea1);
    EXPECT_EQ(MessageTexts(demo.ui), (Strings(2, "No Function")));
    EXPECT_EQ(demo.Status(2), "No Function");

    struct Silent {
        int card_type;
        std::vector<int> commands;
    };
    const Silent kSilent[] = {
        {card::kSle4418, {cmd::kCheckPass}},
        {card::kSle4404,
         {cmd::kCheckPass, cmd::kChangePass, cmd::kCheckArea4, cmd::kCheckEraseArea4}},
        {card::kAt88sc103, {cmd::kCheckPass, cmd::kChangePass, cmd::kCheckArea2}},
    };
    demo.ui.messages.clear();
    beeps = demo.ui.beeps;
    for (const Silent& s : kSilent) {
        demo.state().m_nCardType = s.card_type;
        for (int id : s.commands) demo.Command(id);
    }
    EXPECT_TRUE(demo.ui.messages.empty());
    EXPECT_EQ(Beeps(), 0);
    EXPECT_TRUE(demo.ui.dialogs.empty());
    EXPECT_TRUE(log.calls.empty());
}

TEST(PasswordTextTest, PairsOfDigitsInEitherCaseMakeTheBytes) {
    EXPECT_EQ(demo::DecodeHexText("00fFa9"), (Bytes{0x00, 0xFF, 0xA9}));
    EXPECT_EQ(demo::DecodeHexText("G1z"), (Bytes{0x01}));
}

}  // namespace
}  // namespace demo_test
