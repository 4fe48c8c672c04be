// SPDX-License-Identifier: MIT
#include "fuzz/answer_host.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace fuzz {

namespace {

constexpr std::uint8_t kCommandHead = 0x21;
constexpr std::uint8_t kResponseHead = 0x12;

enum : std::uint8_t {
    kKindMask = 0x03,
    kEcho = 0,
    kRefusal = 1,
    kAnyCode = 2,
    kRawReport = 3,
    kBadCheck = 0x04,
    kBadHead = 0x08,
    kNoReport = 0x10,
    kRefuseSet = 0x20,
};

}  // namespace

bool AnswerHost::SetFeature(vexa::Handle, const std::uint8_t (&report)[vexa::kReportSize]) {
    if (input_.Empty() || std::exchange(refuse_next_set_, false)) return false;
    // A chunk starting with the command head opens a new command (a data
    // chunk may start with it too; the code is then only a worse guess).
    if (report[1] == kCommandHead) last_code_ = report[2];
    pending_.clear();
    return true;
}

bool AnswerHost::GetFeature(vexa::Handle, std::uint8_t (&report)[vexa::kReportSize]) {
    if (pending_.empty()) QueueAnswer();
    if (pending_.empty()) return false;
    const Chunk chunk = pending_.front();
    pending_.pop_front();
    if (!chunk.delivered) return false;
    report[0] = 0;
    std::copy(std::begin(chunk.bytes), std::end(chunk.bytes), report + 1);
    return true;
}

void AnswerHost::QueueAnswer() {
    if (input_.Empty()) return;
    if (mode_ == Mode::kReports) return QueueRaw();
    const std::uint8_t header = input_.Byte();
    if (header & kRefuseSet) refuse_next_set_ = true;
    if (header & kNoReport) {
        pending_.push_back(Chunk{{}, false});
        return;
    }
    if ((header & kKindMask) == kRawReport) return QueueRaw();
    QueueFrame(header);
}

void AnswerHost::QueueRaw() {
    Chunk chunk;
    const auto bytes = input_.Take(vexa::kChunkSize);
    std::copy(bytes.begin(), bytes.end(), chunk.bytes);
    pending_.push_back(chunk);
}

void AnswerHost::QueueFrame(std::uint8_t header) {
    const std::uint8_t kind = header & kKindMask;
    std::uint8_t code = last_code_;
    if (kind == kRefusal) code = 0x00;
    if (kind == kAnyCode) code = input_.Byte();
    const std::uint8_t len = kind == kRefusal ? 2 : input_.Byte();
    std::vector<std::uint8_t> frame{
        static_cast<std::uint8_t>((header & kBadHead) ? kResponseHead + 1 : kResponseHead), code,
        len};
    const auto data = input_.Take(len);
    frame.insert(frame.end(), data.begin(), data.end());
    frame.resize(std::size_t{len} + 3);
    std::uint8_t check = 0;
    for (std::uint8_t b : frame) check ^= b;
    frame.push_back((header & kBadCheck) ? check ^ 1 : check);
    for (std::size_t at = 0; at <= frame.size() / vexa::kChunkSize * vexa::kChunkSize;
         at += vexa::kChunkSize) {
        Chunk chunk;
        const std::size_t n = std::min(vexa::kChunkSize, frame.size() - std::min(at, frame.size()));
        std::copy_n(frame.begin() + static_cast<std::ptrdiff_t>(at), n, chunk.bytes);
        pending_.push_back(chunk);
    }
}

}  // namespace fuzz
