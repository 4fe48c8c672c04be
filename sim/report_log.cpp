// SPDX-License-Identifier: MIT
#include "sim/report_log.h"

#include <algorithm>
#include <map>

#include "sim/frame_assembler.h"

namespace sim {

std::vector<Frame> SentFrames(const std::vector<ReportRecord>& log) {
    std::map<vexa::Handle, FrameAssembler> assemblers;
    std::vector<Frame> frames;
    for (const ReportRecord& r : log) {
        if (r.direction != Direction::kToReader || !r.accepted) continue;
        auto frame = assemblers[r.handle].Feed(std::span(r.bytes).subspan<1, kChunk>());
        if (frame) frames.push_back(std::move(*frame));
    }
    return frames;
}

std::size_t CountReports(const std::vector<ReportRecord>& log, Direction direction) {
    return static_cast<std::size_t>(std::count_if(log.begin(), log.end(), [&](const auto& r) {
        return r.direction == direction && r.accepted;
    }));
}

std::array<std::uint8_t, vexa::kReportSize> ReportOf(std::span<const std::uint8_t> chunk) {
    std::array<std::uint8_t, vexa::kReportSize> report{};
    std::copy_n(chunk.begin(), std::min(chunk.size(), kChunk), report.begin() + 1);
    return report;
}

}  // namespace sim
