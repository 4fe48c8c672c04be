// SPDX-License-Identifier: MIT
#include "sim/card_sle4428.h"

#include <algorithm>
#include <vector>

#include "sim/state_sections.h"

namespace sim {

namespace {

constexpr std::uint8_t kReaderCode = 0x12;
constexpr std::uint8_t kRead = 0xBB;
constexpr std::uint8_t kWrite = 0xBC;
constexpr std::uint8_t kVerify = 0xBD;
constexpr std::uint8_t kReadWithFlags = 0xBE;
constexpr std::uint8_t kWriteProtect = 0xBF;

constexpr std::size_t kAddressBytes = 2;
constexpr std::size_t kCodeSize = 2;
constexpr std::uint8_t kCounterMask = 0xFF;

constexpr std::uint8_t kFactoryHeader[] = {0x92, 0x23, 0x10, 0x91, 0xFF, 0xFF, 0x81, 0x13};
constexpr std::size_t kIssuerArea = 21;
constexpr std::uint8_t kFactoryIssuer[] = {0xD2, 0x76, 0x00, 0x00, 0x04, 0x01};

constexpr MemoryLayout kMainLayout{"SLE4428", 16, 0xFF};
constexpr MemoryLayout kWritableLayout{"SLE4428 writable", 32, 0x01};

}  // namespace

Sle4428Card::Sle4428Card() {
    memory.main.fill(0xFF);
    memory.writable.fill(1);
    auto factory = [&](std::size_t at, std::span<const std::uint8_t> bytes) {
        std::copy(bytes.begin(), bytes.end(), memory.main.begin() + at);
        std::fill_n(memory.writable.begin() + at, bytes.size(), 0);
    };
    factory(0, kFactoryHeader);
    factory(kIssuerArea, kFactoryIssuer);
}

Reply Sle4428Card::Handle(const Command& cmd) {
    if (cmd.reader_code != kReaderCode) return ForeignCommand(cmd);
    switch (cmd.code) {
        case kRead:
            return Read(kRead, cmd.data, false);
        case kWrite:
            return Write(kWrite, cmd.data, false);
        case kVerify:
            return Verify(cmd.data);
        case kReadWithFlags:
            return Read(kReadWithFlags, cmd.data, true);
        case kWriteProtect:
            return Write(kWriteProtect, cmd.data, true);
        default:
            return ForeignCommand(cmd);
    }
}

std::string Sle4428Card::Save() const {
    return SectionsToText({{kMainLayout, memory.main}, {kWritableLayout, memory.writable}});
}

bool Sle4428Card::Load(const std::string& state) {
    return SectionsFromText(state,
                            {{kMainLayout, memory.main}, {kWritableLayout, memory.writable}});
}

std::uint8_t Sle4428Card::Visible(std::size_t address) const {
    if (address >= memory.main.size()) return kFloatingLine;
    if (address >= kCodeAddress && !verified_) return 0x00;
    return memory.main[address];
}

Reply Sle4428Card::Read(std::uint8_t command, std::span<const std::uint8_t> data,
                        bool with_flags) const {
    const auto t = ParseRead(data, kAddressBytes);
    if (!t) return Refuse(kWordCommandError);
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < t->count; ++i) bytes.push_back(Visible(t->address + i));
    if (with_flags) {
        for (std::size_t i = 0; i < t->count; ++i) {
            const std::size_t a = t->address + i;
            bytes.push_back(a < memory.writable.size() ? memory.writable[a] : kFloatingLine);
        }
    }
    return Echo(command, std::move(bytes));
}

Reply Sle4428Card::Write(std::uint8_t command, std::span<const std::uint8_t> data, bool protect) {
    return WriteEach(command, data, kAddressBytes,
                     [&](std::size_t a, std::uint8_t v) { Store(a, v, protect); });
}

void Sle4428Card::Store(std::size_t address, std::uint8_t value, bool protect) {
    if (!verified_ || address >= memory.main.size() || !memory.writable[address]) return;
    if (address == kCounterAddress) return;
    memory.main[address] = value;
    if (protect) memory.writable[address] = 0;
}

Reply Sle4428Card::Verify(std::span<const std::uint8_t> data) {
    const auto code = std::span(memory.main).subspan(kCodeAddress, kCodeSize);
    return PresentCode(kVerify, memory.main[kCounterAddress], kCounterMask, code, data, verified_);
}

}  // namespace sim
