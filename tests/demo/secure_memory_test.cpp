// SPDX-License-Identifier: MIT
// The secure-memory card's password commands and mutual authentication:
// against this library, whose secure-memory entry points are not supported,
// and against a scripted card that answers them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "demo/res/command_ids.h"
#include "demo/res/secure_dialog_templates.h"
#include "tests/demo/demo_harness.h"
#include "tests/demo/library_log.h"

namespace demo_test {
namespace {

using Step = RecordingUi::DialogStep;
namespace pass = demo::pass_auth_dlg;
namespace auth = demo::auth_dlg;

// ---- A scripted secure-memory card ----

struct ScriptedCard {
    int read_count = 3;
    int write_count = 3;
    int auth_count = 3;
    int password_status = 0;
    int init_auth_status = 0;
    int card_id_status = 0;
    std::string card_id = "0011223344556677";
    int set_init_status = 0;
    int authenticate_status = 0;
    std::string q1 = "1111222233334444";
    std::string q2 = "0011223344556677";
    int check_auth_status = 0;

    std::vector<int> count_sets;  // the set of each count read
    std::vector<std::string> calls;
};

ScriptedCard* g_card = nullptr;

// The library reads a text argument as 16 characters.
std::string Read16(const char* text) {
    std::string s(text, 16);
    return s.substr(0, s.find('\0'));
}

// The four password calls: each records its name, the set and the text.
constexpr const char* kPasswordCalls[] = {"CheckR", "CheckW", "ChangeR", "ChangeW"};

template <int kCall>
int16_t RecordPassword(int32_t, int32_t set, const char* text) {
    g_card->calls.push_back(std::string(kPasswordCalls[kCall]) + " " + std::to_string(set) + " " +
                            text);
    return static_cast<int16_t>(g_card->password_status);
}

void Install(ScriptedCard& card) {
    g_card = &card;
    demo::LibraryImports& lib = demo::Lib();
    lib.IC_ReadRPasswordCount = [](int32_t, int32_t set) -> int16_t {
        g_card->count_sets.push_back(set);
        return static_cast<int16_t>(g_card->read_count);
    };
    lib.IC_ReadWPasswordCount = [](int32_t, int32_t set) -> int16_t {
        g_card->count_sets.push_back(set);
        return static_cast<int16_t>(g_card->write_count);
    };
    lib.IC_ReadAuthCount = [](int32_t) -> int16_t {
        return static_cast<int16_t>(g_card->auth_count);
    };
    lib.IC_CheckRPassword_Hex = RecordPassword<0>;
    lib.IC_CheckWPassword_Hex = RecordPassword<1>;
    lib.IC_ChangeRPassword_Hex = RecordPassword<2>;
    lib.IC_ChangeWPassword_Hex = RecordPassword<3>;
    lib.IC_InitAuth_Hex = [](int32_t, const char* random) -> int16_t {
        g_card->calls.push_back("InitAuth " + Read16(random));
        return static_cast<int16_t>(g_card->init_auth_status);
    };
    lib.IC_ReadConfigZone_Hex = [](int32_t, int32_t offset, int32_t len, char* text) -> int16_t {
        g_card->calls.push_back("ReadCI " + std::to_string(offset) + " " + std::to_string(len));
        if (g_card->card_id_status < 0) return static_cast<int16_t>(g_card->card_id_status);
        std::memcpy(text, g_card->card_id.data(), 16);
        return 0;
    };
    lib.SetInit_Hex = [](const char* id, const char* pass, const char* random) -> int16_t {
        g_card->calls.push_back("SetInit " + Read16(id) + " " + Read16(pass) + " " +
                                Read16(random));
        return static_cast<int16_t>(g_card->set_init_status);
    };
    lib.Authenticate_Hex = [](char* q1, char* q2) -> int16_t {
        g_card->calls.push_back("Authenticate");
        if (g_card->authenticate_status < 0)
            return static_cast<int16_t>(g_card->authenticate_status);
        std::memcpy(q1, g_card->q1.data(), 16);
        std::memcpy(q2, g_card->q2.data(), 16);
        return 0;
    };
    lib.IC_CheckAuth_Hex = [](int32_t, const char* q1) -> int16_t {
        g_card->calls.push_back("CheckAuth " + Read16(q1));
        if (g_card->check_auth_status < 0) --g_card->auth_count;  // a failed attempt counts
        return static_cast<int16_t>(g_card->check_auth_status);
    };
}

class SecureMemoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        demo.Start();
        demo.Command(demo::cmd::kAt88sc1608);
    }
    void Run(int command, std::vector<Step> steps) {
        demo.ui.messages.clear();
        demo.ui.ScriptDialog(std::move(steps));
        demo.Command(command);
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : demo.ui.messages) texts.push_back(m.text);
        return texts;
    }
    const RecordingUi::ShownDialog& Shown() const { return demo.ui.dialogs.back(); }
    const RecordingUi::DialogState& After(std::size_t step) const {
        return Shown().after_steps.at(step);
    }

    DemoHarness demo{"none"};
    LibraryLog log;
};

// ---- Password commands against this library ----

TEST_F(SecureMemoryTest, EveryPasswordCommandEndsInItsFailureWithThisLibrary) {
    struct Expected {
        int command;
        const char* dialog_title;
        const char* result_title;
    };
    const Expected expected[] = {
        {demo::cmd::kCheckReadPass, "check read pass", "Check RPass"},
        {demo::cmd::kCheckWritePass, "check write pass", "Check WPass"},
        {demo::cmd::kCheckSafetyPass, "check safety code", "Check safety Code"},
        {demo::cmd::kChangeReadPass, "change read pass", "Change RPass"},
        {demo::cmd::kChangeWritePass, "change write pass", "Change WPass"},
        {demo::cmd::kChangeSafetyPass, "change safety code", "Change safety Code"},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.dialog_title);
        Run(e.command, {{{{pass::kPass, "123456"}}}});
        EXPECT_EQ(Shown().template_id, 144);
        EXPECT_EQ(Shown().title, e.dialog_title);
        EXPECT_EQ(Shown().fields.at(pass::kCount), "current pass count:") << "no number";
        ASSERT_EQ(demo.ui.messages.size(), 1u);
        EXPECT_EQ(demo.ui.messages[0].text, std::string(e.result_title) + " Fail");
        EXPECT_EQ(demo.ui.messages[0].caption, e.result_title);
        EXPECT_EQ(demo.ui.messages[0].icon, demo::MsgIcon::kNone);
    }
}

// ---- Password commands against a scripted card ----

TEST_F(SecureMemoryTest, TheCountFollowsTheSetAndAWrongSetIsRefused) {
    ScriptedCard card;
    Install(card);
    card.read_count = 3;
    Run(demo::cmd::kCheckReadPass, {{{{pass::kSet, "5"}}, RecordingUi::kNoButton},
                                    {{{pass::kSet, "8"}}, RecordingUi::kNoButton},
                                    {{{pass::kSet, "x"}}, RecordingUi::kNoButton},
                                    {{{pass::kSet, "7"}}, RecordingUi::kNoButton}});
    EXPECT_EQ(Shown().fields.at(pass::kSet), "0");
    EXPECT_EQ(Shown().fields.at(pass::kCount), "current pass count:3");
    EXPECT_EQ(card.count_sets, (std::vector<int>{0, 5, 7}));
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{"input error", "Please enter an integer."}));
    EXPECT_EQ(demo.ui.messages[0].caption, "Mx450");
    EXPECT_EQ(After(1).focus, pass::kSet) << "the wrong set is selected for retyping";
    EXPECT_EQ(After(1).fields.at(pass::kSet), "8");
    EXPECT_EQ(After(2).focus, pass::kSet);
    EXPECT_TRUE(card.calls.empty()) << "cancelled: nothing is checked";
}

TEST_F(SecureMemoryTest, CountsOfZeroAndFailuresShowAsTheyAre) {
    ScriptedCard card;
    Install(card);
    card.write_count = 0;
    Run(demo::cmd::kCheckWritePass, {});
    EXPECT_EQ(Shown().fields.at(pass::kCount), "current pass count:0");
    card.write_count = VEXA_ERR_NOT_SUPPORTED;
    Run(demo::cmd::kChangeWritePass, {});
    EXPECT_EQ(Shown().fields.at(pass::kCount), "current pass count:");
}

TEST_F(SecureMemoryTest, ThePasswordMustBeSixHexadecimalCharacters) {
    ScriptedCard card;
    Install(card);
    Run(demo::cmd::kChangeReadPass, {{{{pass::kPass, "12345"}}},
                                     {{{pass::kPass, "12345g"}}},
                                     {{{pass::kPass, "1234567"}, {pass::kSet, "4"}}}});
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"length error", "input data must be 0-F",
                                                        "Change RPass Succeed"}));
    EXPECT_EQ(After(1).fields.at(pass::kPass), "12345G") << "the field takes capitals";
    EXPECT_EQ(card.calls, std::vector<std::string>{"ChangeR 4 123456"})
        << "the field takes six characters";
    EXPECT_EQ(demo.state().m_nPassSet, 4);

    Run(demo::cmd::kCheckReadPass, {{{{pass::kPass, "ABCDEF"}}}});
    EXPECT_EQ(Shown().fields.at(pass::kSet), "4") << "the set chosen last";
    EXPECT_EQ(card.calls.back(), "CheckR 4 ABCDEF");
}

TEST_F(SecureMemoryTest, TheSafetyCodeIsWriteSet7AndLeavesTheChosenSetAlone) {
    ScriptedCard card;
    Install(card);
    demo.state().m_nPassSet = 3;
    card.password_status = 1;
    Run(demo::cmd::kCheckSafetyPass, {{{{pass::kPass, "0A0B0C"}}}});
    EXPECT_TRUE(Shown().hidden.count(pass::kSet));
    EXPECT_TRUE(Shown().hidden.count(pass::kSetLabel));
    EXPECT_EQ(card.count_sets, std::vector<int>{7});
    EXPECT_EQ(card.calls, std::vector<std::string>{"CheckW 7 0A0B0C"});
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Check safety Code Fail"});
    EXPECT_EQ(demo.state().m_nPassSet, 3);

    card.password_status = 0;
    Run(demo::cmd::kChangeSafetyPass, {{{{pass::kPass, "FFFFFF"}}}});
    EXPECT_EQ(card.calls.back(), "ChangeW 7 FFFFFF");
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Change safety Code Succeed"});
}

TEST_F(SecureMemoryTest, OkWithASetOutside0To7IsRefusedAndNothingIsSent) {
    ScriptedCard card;
    Install(card);
    Run(demo::cmd::kCheckWritePass, {{{{pass::kPass, "123456"}, {pass::kSet, "9"}}}});
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"input error", "input error"}));
    EXPECT_TRUE(card.calls.empty());
    EXPECT_EQ(demo.state().m_nPassSet, 0);
}

// ---- Mutual authentication against this library ----

TEST_F(SecureMemoryTest, EveryAuthenticationStepFailsWithThisLibrary) {
    Run(demo::cmd::kAuth, {{{{auth::kRandom, "0123456789ABCDEF"}}, auth::kInitAuth},
                           {{{auth::kPass, "FFFFFFFFFFFFFFFF"}}, auth::kCardAuthDevice},
                           {{}, auth::kDeviceAuthCard}});
    EXPECT_EQ(Shown().template_id, 145);
    EXPECT_EQ(Shown().title, "auth each other");
    EXPECT_EQ(Shown().fields.at(auth::kCount), "Current Auth Count:    ");
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Init Auth Error!", "Read Card CI Error!",
                                                        "Read card CI Error!"}));
    EXPECT_EQ(log.Count("SetInit_Hex"), 0);
}

// ---- Mutual authentication against a scripted card ----

TEST_F(SecureMemoryTest, StepOneChecksTheRandomNumberBeforeSendingIt) {
    ScriptedCard card;
    Install(card);
    Run(demo::cmd::kAuth, {{{{auth::kRandom, "0123456789ABCDE"}}, auth::kInitAuth},
                           {{{auth::kRandom, "0123456789ABCDEG"}}, auth::kInitAuth},
                           {{{auth::kRandom, "0123456789abcdeg"}}, auth::kInitAuth}});
    EXPECT_EQ(Shown().fields.at(auth::kCount), "Current Auth Count:3");
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{"Rand Length Error!", "Rand Data Must be 0-F",
                                        "Init Auth Succeed!"}));
    EXPECT_EQ(demo.ui.messages[2].caption, "Messsage");
    EXPECT_EQ(card.calls, std::vector<std::string>{"InitAuth 0123456789abcdeg"})
        << "lower-case letters stay and pass";
}

TEST_F(SecureMemoryTest, StepTwoComputesQ1AndQ2AndStepThreeFindsQ2OnTheCard) {
    ScriptedCard card;
    Install(card);
    Run(demo::cmd::kAuth,
        {{{{auth::kRandom, "R1"}, {auth::kPass, "A0123456789ABCDE"}}, auth::kCardAuthDevice},
         {{}, auth::kDeviceAuthCard}});
    EXPECT_EQ(card.calls, (std::vector<std::string>{
                              "ReadCI 40 8", "SetInit 0011223344556677 A0123456789ABCDE R1",
                              "Authenticate", "CheckAuth 1111222233334444", "ReadCI 40 8"}));
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{"Card Auth device Succeed!", "device auth card succeed!"}));
    EXPECT_EQ(demo.ui.messages[0].caption, "Message");
    EXPECT_EQ(demo.ui.messages[1].caption, "Message");
}

TEST_F(SecureMemoryTest, StepThreeNeedsTheExactQ2OfAStepTwoInTheSameDialog) {
    ScriptedCard card;
    Install(card);
    const Step step2{{{auth::kPass, "0000000000000000"}}, auth::kCardAuthDevice};
    const Step step3{{}, auth::kDeviceAuthCard};
    Run(demo::cmd::kAuth, {step3});
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"device auth card Fail!"})
        << "before step 2 there is no Q2";

    card.q2 = "0011223344556677";
    card.card_id = "0011223344556677";
    Run(demo::cmd::kAuth, {step2, step3, step3});
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{"Card Auth device Succeed!", "device auth card succeed!",
                                        "device auth card succeed!"}));
    Run(demo::cmd::kAuth, {step3});
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"device auth card Fail!"})
        << "a new dialog starts with an empty work area";

    card.q2 = "00112233445566AA";
    card.card_id = "00112233445566aa";
    Run(demo::cmd::kAuth, {step2, step3});
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{"Card Auth device Succeed!", "device auth card Fail!"}))
        << "letters must match in case too";
}

TEST_F(SecureMemoryTest, StepTwoStopsAtTheFirstFailureAndRereadsTheCountAfterTheCheck) {
    ScriptedCard card;
    Install(card);
    const Step step2{{{auth::kPass, "0000000000000000"}}, auth::kCardAuthDevice};
    Run(demo::cmd::kAuth, {{{{auth::kPass, "000000000000000"}}, auth::kCardAuthDevice},
                           {{{auth::kPass, "000000000000000G"}}, auth::kCardAuthDevice}});
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{"Password Length Error!", "Password data must be 0-F"}));
    EXPECT_TRUE(card.calls.empty());

    card.set_init_status = -1;
    Run(demo::cmd::kAuth, {step2});
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Init CI,GC,Q0 Error!"});
    card.set_init_status = 0;
    card.authenticate_status = -1;
    Run(demo::cmd::kAuth, {step2});
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Create Auth data Q1,Q2 Error!"});
    EXPECT_EQ(card.calls.back(), "Authenticate");

    card.authenticate_status = 0;
    card.check_auth_status = -1;
    Run(demo::cmd::kAuth, {step2});
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"card Auth device Error!"});
    EXPECT_EQ(Shown().fields.at(auth::kCount), "Current Auth Count:3");
    EXPECT_EQ(After(0).fields.at(auth::kCount), "Current Auth Count:2");
}

}  // namespace
}  // namespace demo_test
