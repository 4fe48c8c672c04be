// SPDX-License-Identifier: MIT
// Scenario tests against a simulated SLE4442 or SLE4428 card, selected and
// with the report log cleared.
#pragma once

#include <memory>
#include <vector>

#include "sim/reader.h"
#include "tests/support/sim_fixture.h"

namespace sim_test {

using Bytes = std::vector<std::uint8_t>;

// The command frame 21 code LEN data check.
inline sim::Frame CommandFrame(std::uint8_t code, const Bytes& data) {
    sim::Frame f;
    f.reserve(data.size() + 4);
    f.assign({0x21, code, static_cast<std::uint8_t>(data.size())});
    f.insert(f.end(), data.begin(), data.end());
    std::uint8_t check = 0;
    for (std::uint8_t b : f) check ^= b;
    f.push_back(check);
    return f;
}

template <typename CardType, std::int32_t kCardType>
class SleCardTest : public SimReaderTest {
  protected:
    void SetUp() override {
        SimReaderTest::SetUp();
        auto inserted = std::make_unique<CardType>();
        card = inserted.get();
        reader().Insert(std::move(inserted));
        ASSERT_EQ(IC_InitType(icdev, kCardType), 0);
        host.ClearLog();
    }

    // The reader answers the next command with this echo instead of the card.
    void ScriptEcho(std::uint8_t code, const Bytes& data) {
        reader().faults.scripted_response = sim::ResponseFrame(sim::Echo(code, data));
    }

    CardType* card = nullptr;
};

}  // namespace sim_test
