// SPDX-License-Identifier: MIT
// The simulated host's record of the feature reports that crossed it, and the
// ways tests read it back.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "vexa/link/hid_host.h"

namespace sim {

enum class Direction { kToReader, kFromReader };

struct ReportRecord {
    Direction direction;
    vexa::Handle handle;
    std::array<std::uint8_t, vexa::kReportSize> bytes;
    bool accepted;  // false: the transfer was refused (unknown handle or fault)
};

using Frame = std::vector<std::uint8_t>;

// The command frames the accepted reports carried, reassembled per handle as
// the reader does (extra all-zero reports dropped), in the order they completed.
std::vector<Frame> SentFrames(const std::vector<ReportRecord>& log);

// Accepted reports in one direction.
std::size_t CountReports(const std::vector<ReportRecord>& log, Direction direction);

// The 65-byte report carrying `chunk` (at most 64 bytes) after report id 0.
std::array<std::uint8_t, vexa::kReportSize> ReportOf(std::span<const std::uint8_t> chunk);

}  // namespace sim
