// SPDX-License-Identifier: MIT
// A machine with zero, one or more simulated readers behind the HID host seam.
// Readers are enumerated in the order they were added and opened exclusively:
// OpenReader hands out the first one not already open. Reader N (from 0) has
// the path "sim:N" and the serial number "SIMN" while it is plugged in. Every report is logged
// and every requested wait recorded; waits are only performed when `pace` is
// set.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "sim/faults.h"
#include "sim/reader.h"
#include "sim/report_log.h"
#include "vexa/link/hid_host.h"

namespace sim {

class SimHost : public vexa::HidHost {
  public:
    SimReader& AddReader();
    SimReader& reader(std::size_t index = 0) { return *readers_.at(index).reader; }
    std::size_t ReaderCount() const { return readers_.size(); }
    bool IsOpen(std::size_t index) const { return readers_.at(index).handle != 0; }

    // Faults of the platform or of whichever reader sees the next report.
    Faults faults;
    bool pace = false;
    std::vector<ReportRecord> log;
    std::vector<int> waits;

    void ClearLog();

    // The reader's cable pulled: its handle is refused every transfer and it
    // cannot be opened. Replug brings it back with its firmware started
    // afresh; the handle from before stays dead, as a removed device node does.
    void Unplug(std::size_t index = 0);
    void Replug(std::size_t index = 0);

    // Each open gets a new small handle, so a handle kept after Close stays
    // refused even when the reader is opened again.
    vexa::Handle OpenReader() override;
    std::vector<vexa::ReaderEntry> ListReaders() override;
    vexa::Handle OpenReaderAt(const std::string& path) override;
    bool SetFeature(vexa::Handle h, const std::uint8_t (&report)[vexa::kReportSize]) override;
    bool GetFeature(vexa::Handle h, std::uint8_t (&report)[vexa::kReportSize]) override;
    void Close(vexa::Handle h) override;
    void SleepMs(int ms) override;

  private:
    struct Slot {
        std::unique_ptr<SimReader> reader;
        vexa::Handle handle = 0;  // 0 while closed
        bool attached = true;
    };
    Slot* SlotOf(vexa::Handle h);
    vexa::Handle Open(Slot& slot);
    // The open reader of a handle, with the host's pending faults handed to
    // it; nullptr for an unknown or closed handle.
    SimReader* Route(vexa::Handle h);
    void Record(Direction d, vexa::Handle h, const std::uint8_t* report, bool accepted);

    std::vector<Slot> readers_;
    vexa::Handle next_handle_ = 1;
};

}  // namespace sim
