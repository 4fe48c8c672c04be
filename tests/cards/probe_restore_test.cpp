// SPDX-License-Identifier: MIT
// The 24Cxx size probe's writes and what it puts back: on a chip whose
// upper address bits are not decoded, the pattern written one block lower
// lands on the byte the upper pattern went to, and the probe must neither
// take the chip for a larger one nor leave a byte changed; on a 24C01, whose
// address 128 is address 0, the saved bytes go back in the one order that
// restores both.
#include <string>

#include "sim/card_24c.h"
#include "sim/card_factory.h"
#include "tests/support/sle_card_fixture.h"

namespace {

using sim_test::Bytes;
using sim_test::CommandFrame;

class ProbeRestore : public SimReaderTest {
  protected:
    sim::Eeprom24CCard& Insert(const char* name) {
        reader().Insert(sim::MakeCard(name));
        return dynamic_cast<sim::Eeprom24CCard&>(*reader().card());
    }
    // The 24Cxx writes that reached the card, as (address, data).
    std::vector<std::pair<int, Bytes>> Writes() const {
        std::vector<std::pair<int, Bytes>> writes;
        for (const sim::Frame& f : SentFrames()) {
            if (f[1] != 0xB1) continue;
            writes.emplace_back(f[3] | f[4] << 8, Bytes(f.begin() + 6, f.end() - 1));
        }
        return writes;
    }
};

TEST_F(ProbeRestore, MirroredChipIsA24C02AndKeepsEveryByte) {
    sim::Eeprom24CCard& card = Insert("24c02-mirrored");
    const Bytes before(card.memory().begin(), card.memory().end());
    const std::string state = card.Save();

    EXPECT_EQ(IC_CheckCard(icdev), VEXA_FOUND_24C02);
    EXPECT_EQ(card.Save(), state);
    EXPECT_EQ(Bytes(card.memory().begin(), card.memory().end()), before);
    // The lower pattern went over the upper one at each candidate size.
    const auto writes = Writes();
    for (int upper : {2046, 1022, 510}) {
        const auto z = std::find(writes.begin(), writes.end(),
                                 std::pair<int, Bytes>{upper - 256, Bytes{0x88, 0x99}});
        EXPECT_NE(z, writes.end()) << upper;
    }
    EXPECT_EQ(IC_Check_24C02(icdev), 0);
    EXPECT_EQ(IC_Check_24C16(icdev), VEXA_SIZE_24C02);
    EXPECT_EQ(card.Save(), state);
}

TEST_F(ProbeRestore, A24C01GetsItsSavedBytesBackInOrder) {
    sim::Eeprom24CCard& card = Insert("24c01");
    const std::uint8_t byte0 = card.memory()[0];
    const std::uint8_t byte1 = card.memory()[1];
    const std::string state = card.Save();

    EXPECT_EQ(IC_Check_24C01(icdev), 0);
    EXPECT_EQ(card.Save(), state);
    // "WP" at 128 (= 0 and 1), then the two bytes read there before it (the
    // byte pattern at 0 and the original at 1), then the saved byte 0 last.
    const auto writes = Writes();
    ASSERT_GE(writes.size(), 3u);
    const std::vector<std::pair<int, Bytes>> tail(writes.end() - 3, writes.end());
    EXPECT_EQ(tail, (std::vector<std::pair<int, Bytes>>{
                        {128, {0x57, 0x50}}, {0, {0x63, byte1}}, {0, {byte0}}}));
}

}  // namespace
