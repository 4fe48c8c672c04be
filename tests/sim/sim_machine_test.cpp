// SPDX-License-Identifier: MIT
// The simulator build's machine: cards by name, settings from the
// environment, and card state kept in a file between runs.
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "sim/card_24c.h"
#include "sim/card_factory.h"
#include "sim/card_sle4442.h"
#include "sim/environment.h"
#include "sim/state_file.h"
#include "tests/support/sim_fake_card.h"
#include "tests/support/sim_fixture.h"
#include "vexa/link/exchange.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string TempPath(const std::string& name) {
    const std::string path = ::testing::TempDir() + "vexa_sim_" + name;
    std::remove(path.c_str());
    return path;
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The first answer of a card to one command under a reader card code.
sim::Reply Ask(sim::Card& card, std::uint8_t reader_code, std::uint8_t code, const Bytes& data) {
    return card.Handle({reader_code, code, data});
}

TEST(CardFactory, EveryNameGivesItsCard) {
    const std::map<std::string_view, std::string_view> eeproms = {
        {"24c01", "24C01A"}, {"24c02", "24C02"}, {"24c04", "24C04"},         {"24c08", "24C08"},
        {"24c16", "24C16"},  {"24c64", "24C64"}, {"24c02-mirrored", "24C02"}};
    for (std::string_view name : sim::CardNames()) {
        auto card = sim::MakeCard(name);
        ASSERT_NE(card, nullptr) << name;
        if (auto it = eeproms.find(name); it != eeproms.end()) {
            auto* eeprom = dynamic_cast<sim::Eeprom24CCard*>(card.get());
            ASSERT_NE(eeprom, nullptr) << name;
            EXPECT_EQ(eeprom->chip().name, it->second);
        }
    }
    EXPECT_EQ(sim::CardNames().size(), 13u);
    EXPECT_EQ(Ask(*sim::MakeCard("sle4442"), 0x11, 0xB4, {0x07, 0x01}).data, Bytes{0x15});
    EXPECT_EQ(Ask(*sim::MakeCard("sle4428"), 0x12, 0xBB, {0x07, 0x00, 0x01}).data, Bytes{0x13});
    // T=0 card: no TD1 in the ATR; T=1 card: TD1 present (bit 0x80 of T0).
    EXPECT_EQ(Ask(*sim::MakeCard("cpu-t0"), 0, 0xA3, {}).data[1] & 0x80, 0);
    EXPECT_NE(Ask(*sim::MakeCard("cpu-t1"), 0, 0xA3, {}).data[1] & 0x80, 0);
    EXPECT_EQ(Ask(*sim::MakeCard("sam"), 0, 0xA8, {}).code, 0xA8);
    EXPECT_EQ(Ask(*sim::MakeCard("45db041"), 0x13, 0xAE, {0, 0, 0, 0, 1}).code, 0xAE);
}

TEST(CardFactory, UnknownNamesGiveNoCard) {
    for (std::string_view name : {"none", "", "SLE4442", "24c32", "sle4442 "}) {
        EXPECT_EQ(sim::MakeCard(name), nullptr) << name;
    }
}

TEST(SimSettings, DefaultsAndValues) {
    std::map<std::string, std::string> vars;
    const auto env = [&vars](const char* name) -> const char* {
        auto it = vars.find(name);
        return it == vars.end() ? nullptr : it->second.c_str();
    };
    sim::Settings s = sim::ReadSettings(env);
    EXPECT_EQ(s.card, "sle4442");
    EXPECT_EQ(s.state_path, "");
    EXPECT_TRUE(s.reader_attached);
    EXPECT_FALSE(s.pace);

    vars = {{"VEXA_SIM_CARD", "24c64"},
            {"VEXA_SIM_STATE", "/tmp/x"},
            {"VEXA_SIM_READERS", "0"},
            {"VEXA_SIM_PACE", "1"}};
    s = sim::ReadSettings(env);
    EXPECT_EQ(s.card, "24c64");
    EXPECT_EQ(s.state_path, "/tmp/x");
    EXPECT_FALSE(s.reader_attached);
    EXPECT_TRUE(s.pace);

    vars = {{"VEXA_SIM_CARD", ""}, {"VEXA_SIM_READERS", "2"}, {"VEXA_SIM_PACE", "yes"}};
    s = sim::ReadSettings(env);
    EXPECT_EQ(s.card, "sle4442");
    EXPECT_TRUE(s.reader_attached);
    EXPECT_FALSE(s.pace);
}

TEST(SimMachine, ReaderAndSlotAsTheSettingsSay) {
    std::ostringstream warn;
    sim::Settings s;
    s.reader_attached = false;
    sim::SimHost none;
    sim::BuildMachine(none, s, warn);
    EXPECT_EQ(none.ReaderCount(), 0u);

    s = {};
    s.card = "none";
    s.pace = true;
    sim::SimHost empty;
    sim::BuildMachine(empty, s, warn);
    ASSERT_EQ(empty.ReaderCount(), 1u);
    EXPECT_EQ(empty.reader().card(), nullptr);
    EXPECT_TRUE(empty.pace);
    EXPECT_EQ(warn.str(), "");

    s.card = "24c32";
    sim::SimHost unknown;
    sim::BuildMachine(unknown, s, warn);
    EXPECT_EQ(unknown.reader().card(), nullptr);
    EXPECT_NE(warn.str().find("\"24c32\""), std::string::npos);
    EXPECT_NE(warn.str().find(" 24c64 "), std::string::npos);

    s.card = "cpu-t0,none,cpu-t1";
    sim::SimHost several;
    sim::BuildMachine(several, s, warn);
    ASSERT_EQ(several.ReaderCount(), 3u);
    EXPECT_EQ(several.reader(1).card(), nullptr);
    EXPECT_NE(several.reader(2).card(), nullptr);

    sim::SimHost fresh;
    sim::BuildMachine(fresh, {}, warn);
    EXPECT_NE(dynamic_cast<sim::Sle4442Card*>(fresh.reader().card()), nullptr);
}

TEST(StateFile, CardStateSurvivesBetweenRuns) {
    const std::string path = TempPath("fake_state");
    sim_test::FakeCard first;
    sim::StateFile file(path);
    EXPECT_EQ(file.Restore(first), sim::StateFile::Restored::kNoFile);
    EXPECT_TRUE(file.Keep(first));  // nothing to keep yet: no file written
    EXPECT_EQ(Contents(path), "");
    first.state = "memory 01 02";
    EXPECT_TRUE(file.Keep(first));
    EXPECT_EQ(Contents(path), "memory 01 02");
    first.state = "memory 01 03";  // replaces the file written before
    EXPECT_TRUE(file.Keep(first));
    EXPECT_EQ(Contents(path), "memory 01 03");

    sim_test::FakeCard second;
    sim::StateFile again(path);
    EXPECT_EQ(again.Restore(second), sim::StateFile::Restored::kLoaded);
    EXPECT_EQ(second.state, "memory 01 03");
    // An unchanged state is not written again.
    std::remove(path.c_str());
    EXPECT_TRUE(again.Keep(second));
    EXPECT_EQ(Contents(path), "");
    std::remove(path.c_str());
}

TEST(StateFile, RejectedStateLeavesTheCardFresh) {
    const std::string path = TempPath("foreign_state");
    std::ofstream(path) << "SLE4428\n0000: 00\n";
    auto card = sim::MakeCard("24c02");
    const std::string fresh = card->Save();
    EXPECT_EQ(sim::StateFile(path).Restore(*card), sim::StateFile::Restored::kRejected);
    EXPECT_EQ(card->Save(), fresh);
    std::remove(path.c_str());
}

TEST(StateFile, UnwritablePlaceFailsWithoutThrowing) {
    sim_test::FakeCard card;
    card.state = "x";
    EXPECT_FALSE(sim::StateFile("/nonexistent-dir/state").Keep(card));
}

// Two runs of the simulator build's machine sharing a state file.
TEST(SimMachine, WrittenCardMemoryIsThereInTheNextRun) {
    const std::string path = TempPath("24c02_state");
    std::ostringstream warn;
    sim::Settings settings;
    settings.card = "24c02";
    settings.state_path = path;
    const Bytes written{0xDE, 0xAD, 0xBE, 0xEF};
    {
        sim::SimHost host;
        sim::BuildMachine(host, settings, warn);
        sim_test::ScopedHost scoped(host);
        const std::int32_t dev = IC_InitComm(100);
        ASSERT_EQ(IC_InitType(dev, VEXA_TYPE_24C), 0);
        EXPECT_EQ(Contents(path), "");  // a select changes nothing on the card
        vexa::Response r;
        Bytes data{0x10, 0x00, 0x04};
        data.insert(data.end(), written.begin(), written.end());
        ASSERT_EQ(vexa::Exchange(dev, 0xB1, data, r), 0);
        ASSERT_TRUE(r.Echoes(0xB1));
    }
    sim::SimHost host;
    sim::BuildMachine(host, settings, warn);
    auto* card = dynamic_cast<sim::Eeprom24CCard*>(host.reader().card());
    ASSERT_NE(card, nullptr);
    EXPECT_TRUE(std::equal(written.begin(), written.end(), card->memory().begin() + 0x10));
    EXPECT_EQ(warn.str(), "");
    std::remove(path.c_str());
}

}  // namespace
