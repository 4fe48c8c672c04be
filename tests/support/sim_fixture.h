// SPDX-License-Identifier: MIT
// Tests through the public API against the simulated reader.
//
// SimReaderTest starts every test with one simulated reader (empty slot)
// opened as device 180, and leaves the library as a fresh process would:
// every port closed, the default host back, selection and last error reset.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "sim/host.h"
#include "vexa.h"
#include "vexa/link/build_config.h"
#include "vexa/link/cpu_state.h"
#include "vexa/link/device_table.h"
#include "vexa/link/hid_host.h"
#include "vexa/link/library_state.h"
#include "vexa/link/selection.h"
#include "vexa/link/status.h"

namespace sim_test {

// Installs a host for the lifetime of the object (tests that need another
// number of readers than the fixture's one).
class ScopedHost {
  public:
    explicit ScopedHost(sim::SimHost& host) { vexa::InstallHidHost(&host); }
    ~ScopedHost() { vexa::ResetLibraryState(); }
    ScopedHost(const ScopedHost&) = delete;
    ScopedHost& operator=(const ScopedHost&) = delete;
};

}  // namespace sim_test

class SimReaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.AddReader();
        vexa::InstallHidHost(&host);
        icdev = IC_InitComm(100);
        // The reduced build hands out the host's handle, 1 for a fresh host.
        ASSERT_EQ(icdev, vexa::kReducedBuild ? 1 : 180);
    }
    void TearDown() override { vexa::ResetLibraryState(); }

    sim::SimReader& reader() { return host.reader(0); }
    // Command frames that reached the reader, reassembled.
    std::vector<sim::Frame> SentFrames() const { return sim::SentFrames(host.log); }
    const std::vector<sim::ReportRecord>& Reports() const { return host.log; }

    sim::SimHost host;
    int32_t icdev = 0;
};
