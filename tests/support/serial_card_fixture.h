// SPDX-License-Identifier: MIT
// Scenario tests against a simulated serial-memory card (24Cxx or 45DB041)
// inserted and selected, with the report log cleared.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "sim/card_24c.h"
#include "sim/card_45db041.h"
#include "tests/support/sle_card_fixture.h"

namespace sim_test {

class SerialCardTest : public SimReaderTest {
  protected:
    template <typename CardType, typename... Args>
    CardType* Insert(std::int32_t card_type, Args&&... args) {
        auto inserted = std::make_unique<CardType>(std::forward<Args>(args)...);
        CardType* card = inserted.get();
        reader().Insert(std::move(inserted));
        EXPECT_EQ(IC_InitType(icdev, card_type), 0);
        host.ClearLog();
        return card;
    }
    sim::Eeprom24CCard* InsertEeprom(const sim::Eeprom24CChip& chip,
                                     std::int32_t card_type = VEXA_TYPE_24C) {
        return Insert<sim::Eeprom24CCard>(card_type, chip);
    }
    sim::Flash45DB041Card* InsertFlash() { return Insert<sim::Flash45DB041Card>(65); }

    std::size_t ReportsSent() const {
        return sim::CountReports(host.log, sim::Direction::kToReader);
    }
};

inline Bytes Pattern(std::size_t n, std::uint8_t seed) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(seed + 3 * i);
    return b;
}

inline Bytes Slice(std::span<const std::uint8_t> memory, std::size_t at, std::size_t n) {
    return {memory.begin() + static_cast<std::ptrdiff_t>(at),
            memory.begin() + static_cast<std::ptrdiff_t>(at + n)};
}

}  // namespace sim_test
