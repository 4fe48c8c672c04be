// SPDX-License-Identifier: MIT
#include "sim/card_cpu.h"

#include <functional>
#include <numeric>

#include "sim/foreign_command.h"

namespace sim {

namespace {

constexpr std::uint8_t kResetCpu = 0xA3;
constexpr std::uint8_t kApduCpu = 0xA4;
constexpr std::uint8_t kResetModule = 0xA8;
constexpr std::uint8_t kApduModule = 0xA9;

// T=1 block fields.
constexpr std::uint8_t kNad = 0x00;
constexpr std::uint8_t kNotInformation = 0x80;  // R- and S-blocks
constexpr std::uint8_t kSendSequence = 0x40;    // N(S) of an I-block
constexpr std::uint8_t kMoreData = 0x20;        // M bit: chaining
constexpr std::uint8_t kReceiveReady = 0x80;
constexpr std::uint8_t kReceiveSequence = 0x10;  // N(R) of an R-block
constexpr std::uint8_t kEdcError = 0x01;
constexpr std::uint8_t kOtherError = 0x02;
constexpr std::size_t kBlockOverhead = 4;

std::uint8_t XorOf(std::span<const std::uint8_t> bytes) {
    return std::accumulate(bytes.begin(), bytes.end(), std::uint8_t{0}, std::bit_xor<>());
}

}  // namespace

CpuProfile CpuT0Profile() {
    return {{0x3B, 0x6C, 0x00, 0x00, 'S', 'I', 'M', '-', 'C', 'O', 'S', ' ', 'V', '1', '.', '0'},
            CpuProtocol::kT0};
}

CpuProfile CpuT1Profile() {
    return {{0x3B, 0x80, 0x81, 0x31, 0xFE, 0x45, 0x8B}, CpuProtocol::kT1};
}

CpuCard::CpuCard(CpuProfile profile) : profile_(std::move(profile)) {}

Reply CpuCard::Handle(const Command& cmd) {
    switch (cmd.code) {
        case kResetCpu:
        case kResetModule:
            powered_ = true;
            expected_ns_ = 0;
            own_ns_ = 0;
            os_.Restart();
            return Echo(cmd.code, profile_.atr);
        case kApduCpu:
        case kApduModule:
            if (!powered_) return Refuse(kWordNoAnswer);
            return Echo(cmd.code, profile_.protocol == CpuProtocol::kT0 ? os_.Respond(cmd.data)
                                                                        : ExchangeT1(cmd.data));
        default:
            return RefuseForeign(cmd.code);
    }
}

void CpuCard::PowerDown() {
    powered_ = false;
    os_.Restart();
}

std::vector<std::uint8_t> CpuCard::ExchangeT1(std::span<const std::uint8_t> block) {
    if (block.size() < kBlockOverhead || block.size() != kBlockOverhead + block[2] ||
        XorOf(block) != 0)
        return ReceiveReady(kEdcError);
    const std::uint8_t pcb = block[1];
    const std::uint8_t ns = (pcb & kSendSequence) != 0 ? 1 : 0;
    // Only unchained I-blocks in sequence are taken; the library sends nothing else.
    if ((pcb & (kNotInformation | kMoreData)) != 0 || ns != expected_ns_)
        return ReceiveReady(kOtherError);
    expected_ns_ ^= 1;
    std::vector<std::uint8_t> response = os_.Respond(block.subspan(3, block[2]));
    std::uint8_t answer_pcb = own_ns_ != 0 ? kSendSequence : 0x00;
    own_ns_ ^= 1;
    if (response.size() > ifsd) {
        response.resize(ifsd);
        answer_pcb |= kMoreData;
    }
    return Block(answer_pcb, response);
}

std::vector<std::uint8_t> CpuCard::Block(std::uint8_t pcb,
                                         std::span<const std::uint8_t> inf) const {
    // Reserved first: GCC 12 misreads the growth of a three-byte vector as an
    // overread of it.
    std::vector<std::uint8_t> block;
    block.reserve(inf.size() + 4);
    block.assign({kNad, pcb, static_cast<std::uint8_t>(inf.size())});
    block.insert(block.end(), inf.begin(), inf.end());
    block.push_back(XorOf(block));
    return block;
}

// An R-block naming the N(S) the card still expects.
std::vector<std::uint8_t> CpuCard::ReceiveReady(std::uint8_t error) const {
    const std::uint8_t nr = expected_ns_ != 0 ? kReceiveSequence : 0x00;
    return Block(static_cast<std::uint8_t>(kReceiveReady | nr | error), {});
}

}  // namespace sim
