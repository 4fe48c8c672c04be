// SPDX-License-Identifier: MIT
// Card detection against every simulated card: the result, the family left
// selected, and the card's memory exactly as it was before.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "sim/card_24c.h"
#include "sim/card_factory.h"
#include "tests/support/sim_fake_card.h"
#include "tests/support/sim_fixture.h"

namespace {

struct Expected {
    const char* card;
    int16_t result;
    uint8_t selected;  // card-type code left selected
};

constexpr Expected kCards[] = {
    {"sle4442", 8, 16}, {"sle4428", 9, 4}, {"45db041", 11, 65}, {"cpu-t0", 30, 12},
    {"cpu-t1", 31, 12}, {"sam", 30, 12},   {"24c01", 21, 64},   {"24c02", 22, 64},
    {"24c04", 23, 64},  {"24c08", 24, 64}, {"24c16", 25, 64},   {"24c64", 26, 192},
};

class DetectionTest : public SimReaderTest {
  protected:
    std::string InsertCard(const char* name) {
        reader().Insert(sim::MakeCard(name));
        return reader().card()->Save();
    }
    std::string LastErrorText() {
        char text[32] = {};
        IC_GetLastError(text);
        return text;
    }
    static std::string Success() { return "\xD6\xB4\xD0\xD0\xB3\xC9\xB9\xA6"; }
};

TEST_F(DetectionTest, FindsEveryFamilyAndLeavesItsMemoryAsItWas) {
    for (const Expected& e : kCards) {
        SCOPED_TRACE(e.card);
        const std::string before = InsertCard(e.card);
        EXPECT_EQ(IC_CheckCard(icdev), e.result);
        EXPECT_EQ(LastErrorText(), Success());
        EXPECT_EQ(vexa::CurrentSelection().card_type, e.selected);
        EXPECT_EQ(reader().card()->Save(), before);
        reader().Remove();
    }
}

TEST_F(DetectionTest, EmptySlotStopsAfterTheStatusQuery) {
    EXPECT_EQ(IC_CheckCard(icdev), VEXA_ERR_CARD_TEST);
    const auto frames = SentFrames();
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back()[1], 0xA2);
    for (const auto& f : frames) EXPECT_TRUE(f[1] == 0xA2 || f[1] == 0xA5);
}

TEST_F(DetectionTest, SingleFamilyTestsTellTheirOwnCardFromOthers) {
    InsertCard("sle4442");
    EXPECT_EQ(IC_Check_4428(icdev), VEXA_ERR_CARD_TEST);
    EXPECT_EQ(IC_Check_4442(icdev), 0);
    EXPECT_EQ(IC_Check_102(icdev), VEXA_ERR_NOT_SUPPORTED);
    reader().Remove();
    EXPECT_EQ(IC_Check_4442(icdev), 1);  // no card: the status query's answer
}

TEST_F(DetectionTest, SizeTestsNameTheSizeFound) {
    InsertCard("24c02");
    EXPECT_EQ(IC_Check_24C01(icdev), VEXA_SIZE_24C02);
    EXPECT_NE(LastErrorText(), Success());  // 2 stands in the register too
    EXPECT_EQ(IC_Check_24C02(icdev), 0);
    EXPECT_EQ(IC_Check_24C16(icdev), VEXA_SIZE_24C02);
}

TEST_F(DetectionTest, CpuTestReportsTheProtocolWithSuccessInTheRegister) {
    InsertCard("cpu-t1");
    EXPECT_EQ(IC_Check_CPU(icdev), VEXA_PROTOCOL_T1);
    EXPECT_EQ(LastErrorText(), Success());
    reader().Remove();
    EXPECT_EQ(IC_Check_CPU(icdev), VEXA_ERR_CARD_TEST);
}

TEST_F(DetectionTest, LockedAndProtectedSle4442IsFoundAndUntouched) {
    const std::string fresh = InsertCard("sle4442");
    const std::array<unsigned char, 3> wrong{0x12, 0x34, 0x56};
    IC_InitType(icdev, VEXA_TYPE_SLE4442);
    for (int i = 0; i < 3; ++i) EXPECT_NE(IC_CheckPass_SLE4442(icdev, wrong.data()), 0);
    ASSERT_EQ(IC_ReadCount_SLE4442(icdev), 0);
    const std::string locked = reader().card()->Save();
    EXPECT_NE(locked, fresh);
    EXPECT_EQ(IC_CheckCard(icdev), VEXA_FOUND_SLE4442);
    EXPECT_EQ(reader().card()->Save(), locked);
}

// A card of no family the library knows, refusing every command.
TEST_F(DetectionTest, CardOfNoKnownFamilyIsNotRecognised) {
    auto card = std::make_unique<sim_test::FakeCard>();
    card->reply = sim::Refuse(0x61D8);
    reader().Insert(std::move(card));
    EXPECT_EQ(IC_CheckCard(icdev), VEXA_ERR_CARD_TEST);
}

// Pulled before the size probe writes anything, the card is left untouched
// and detection ends in -25 (with the slot empty, later 24Cxx commands would
// reach the reader's own memory, so the pull points stop there).
TEST_F(DetectionTest, CardPulledHalfwayIsLeftUntouched) {
    for (int after = 1; after <= 14; ++after) {
        SCOPED_TRACE(after);
        const std::string before = InsertCard("24c16");
        reader().PullCardAfter(after);
        EXPECT_EQ(IC_CheckCard(icdev), VEXA_ERR_CARD_TEST);
        ASSERT_NE(reader().pulled_card(), nullptr);
        EXPECT_EQ(reader().pulled_card()->Save(), before);
    }
}

// A 24C02 whose reader fails the n-th read command (counted from 1).
class EepromFailingOneRead : public sim::Eeprom24CCard {
  public:
    explicit EepromFailingOneRead(int failing_read)
        : Eeprom24CCard(sim::k24C02), reads_left_(failing_read) {}
    sim::Reply Handle(const sim::Command& cmd) override {
        if (cmd.code == 0xB0 && --reads_left_ == 0) return sim::Refuse(0x61D8);
        return Eeprom24CCard::Handle(cmd);
    }

  private:
    int reads_left_;
};

// The third read is the one proving the byte written at address 0: its failure
// ends the probe with its status, instead of taking the card for a 24C64 and
// writing to it with two-byte addresses.
TEST_F(DetectionTest, FailedReadBackOfTheFirstByteEndsTheSizeProbe) {
    reader().Insert(std::make_unique<EepromFailingOneRead>(3));
    const std::string before = reader().card()->Save();
    EXPECT_EQ(IC_Check_24C02(icdev), 0x61D8);
    EXPECT_EQ(vexa::LastError(), 0x61D8);
    EXPECT_EQ(reader().card()->Save(), before);
    for (const auto& f : SentFrames()) EXPECT_NE(f[1], 0xB3);
}

// A 24C02 whose reader refuses, once, the command putting byte 0 back.
class EepromRefusingOneWriteBack : public sim::Eeprom24CCard {
  public:
    EepromRefusingOneWriteBack() : Eeprom24CCard(sim::k24C02) {}
    sim::Reply Handle(const sim::Command& cmd) override {
        const bool byte0_back = cmd.code == 0xB1 && cmd.data.size() == 4 && cmd.data[0] == 0 &&
                                cmd.data[1] == 0 && cmd.data[3] != 0x63;
        if (byte0_back && !refused_) {
            refused_ = true;
            return sim::Refuse(0x61D8);
        }
        return Eeprom24CCard::Handle(cmd);
    }

  private:
    bool refused_ = false;
};

// The bytes a pattern went over exist nowhere else: a write-back that did not
// get through is sent again, and the size found stands.
TEST_F(DetectionTest, WriteBackThatDidNotGetThroughIsSentAgain) {
    reader().Insert(std::make_unique<EepromRefusingOneWriteBack>());
    const std::string before = reader().card()->Save();
    EXPECT_EQ(IC_CheckCard(icdev), VEXA_FOUND_24C02);
    EXPECT_EQ(vexa::LastError(), 0);
    EXPECT_EQ(reader().card()->Save(), before);
    const auto frames = SentFrames();
    const auto byte0_backs = std::count_if(frames.begin(), frames.end(), [](const sim::Frame& f) {
        return f.size() == 8 && f[1] == 0xB1 && f[3] == 0 && f[4] == 0 && f[6] == '2';
    });
    EXPECT_EQ(byte0_backs, 2);
}

}  // namespace
