// SPDX-License-Identifier: MIT
#include "sim/host.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace sim {

SimReader& SimHost::AddReader() {
    readers_.push_back({std::make_unique<SimReader>(), 0});
    return *readers_.back().reader;
}

void SimHost::ClearLog() {
    log.clear();
    waits.clear();
}

void SimHost::Unplug(std::size_t index) {
    readers_.at(index).attached = false;
}

void SimHost::Replug(std::size_t index) {
    Slot& slot = readers_.at(index);
    slot.attached = true;
    slot.handle = 0;
    slot.reader->Replug();
}

vexa::Handle SimHost::Open(Slot& slot) {
    if (slot.handle != 0 || !slot.attached) return 0;
    return slot.handle = next_handle_++;
}

vexa::Handle SimHost::OpenReader() {
    for (Slot& slot : readers_) {
        if (const vexa::Handle h = Open(slot)) return h;
    }
    return 0;
}

std::vector<vexa::ReaderEntry> SimHost::ListReaders() {
    std::vector<vexa::ReaderEntry> entries;
    for (std::size_t i = 0; i < readers_.size(); ++i) {
        const std::string n = std::to_string(i);
        if (readers_[i].attached) entries.push_back({"sim:" + n, "SIM" + n, ""});
    }
    return entries;
}

vexa::Handle SimHost::OpenReaderAt(const std::string& path) {
    for (std::size_t i = 0; i < readers_.size(); ++i) {
        if (path == "sim:" + std::to_string(i)) return Open(readers_[i]);
    }
    return 0;
}

SimHost::Slot* SimHost::SlotOf(vexa::Handle h) {
    if (h == 0) return nullptr;
    auto it = std::find_if(readers_.begin(), readers_.end(),
                           [h](const Slot& s) { return s.handle == h; });
    return it == readers_.end() ? nullptr : &*it;
}

SimReader* SimHost::Route(vexa::Handle h) {
    Slot* slot = SlotOf(h);
    if (slot == nullptr || !slot->attached) return nullptr;
    slot->reader->faults.TakeFrom(faults);
    return slot->reader.get();
}

bool SimHost::SetFeature(vexa::Handle h, const std::uint8_t (&report)[vexa::kReportSize]) {
    SimReader* reader = Route(h);
    const bool accepted = reader != nullptr && reader->TakeReport(report);
    Record(Direction::kToReader, h, report, accepted);
    return accepted;
}

bool SimHost::GetFeature(vexa::Handle h, std::uint8_t (&report)[vexa::kReportSize]) {
    SimReader* reader = Route(h);
    const bool accepted = reader != nullptr && reader->GiveReport(report);
    Record(Direction::kFromReader, h, report, accepted);
    return accepted;
}

void SimHost::Record(Direction d, vexa::Handle h, const std::uint8_t* report, bool accepted) {
    ReportRecord r{d, h, {}, accepted};
    std::copy_n(report, vexa::kReportSize, r.bytes.begin());
    log.push_back(r);
}

void SimHost::Close(vexa::Handle h) {
    if (Slot* slot = SlotOf(h)) slot->handle = 0;
}

void SimHost::SleepMs(int ms) {
    waits.push_back(ms);
    if (pace) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace sim
