// SPDX-License-Identifier: MIT
#include "sim/card_sle4442.h"

#include <algorithm>
#include <vector>

#include "sim/state_sections.h"

namespace sim {

namespace {

constexpr std::uint8_t kReaderCode = 0x11;
constexpr std::uint8_t kRead = 0xB4;
constexpr std::uint8_t kWrite = 0xB5;
constexpr std::uint8_t kVerify = 0xB6;
constexpr std::uint8_t kReadProtection = 0xB7;
constexpr std::uint8_t kWriteProtect = 0xB8;
constexpr std::uint8_t kReadSecurity = 0xB9;
constexpr std::uint8_t kChangeCode = 0xBA;

constexpr std::size_t kAddressBytes = 1;
constexpr std::size_t kProtectedArea = 32;
constexpr std::uint8_t kCounterMask = 0x07;
constexpr std::size_t kCodeOffset = 1;

// Answer to reset, a factory header and an issuer area; the rest erased.
constexpr std::uint8_t kFactoryImage[] = {0xA2, 0x13, 0x10, 0x91, 0xFF, 0xFF, 0x81, 0x15,
                                          0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                          0xD2, 0x76, 0x00, 0x00, 0x04, 0x00, 0x01, 0x28};
constexpr std::array<std::uint8_t, 4> kFactoryProtection{0x00, 0xFF, 0xFF, 0xFF};

constexpr MemoryLayout kMainLayout{"SLE4442", 16, 0xFF};
constexpr MemoryLayout kProtectionLayout{"SLE4442 protection", 4, 0xFF};
constexpr MemoryLayout kSecurityLayout{"SLE4442 security", 4, 0x00};

}  // namespace

Sle4442Card::Sle4442Card() {
    memory.main.fill(0xFF);
    std::copy(std::begin(kFactoryImage), std::end(kFactoryImage), memory.main.begin());
    memory.protection = kFactoryProtection;
}

Reply Sle4442Card::Handle(const Command& cmd) {
    if (cmd.reader_code != kReaderCode) return ForeignCommand(cmd);
    switch (cmd.code) {
        case kRead:
            return Read(cmd.data);
        case kWrite:
            return Write(kWrite, cmd.data, false);
        case kVerify:
            return Verify(cmd.data);
        case kReadProtection:
            return ReadProtection(cmd.data);
        case kWriteProtect:
            return Write(kWriteProtect, cmd.data, true);
        case kReadSecurity:
            return ReadSecurity(cmd.data);
        case kChangeCode:
            return ChangeCode(cmd.data);
        default:
            return ForeignCommand(cmd);
    }
}

bool Sle4442Card::Writable(std::size_t address) const {
    if (address >= memory.main.size()) return false;
    return address >= kProtectedArea || (memory.protection[address / 8] >> (address % 8)) & 1;
}

std::string Sle4442Card::Save() const {
    return SectionsToText({{kMainLayout, memory.main},
                           {kProtectionLayout, memory.protection},
                           {kSecurityLayout, memory.security}});
}

bool Sle4442Card::Load(const std::string& state) {
    return SectionsFromText(state, {{kMainLayout, memory.main},
                                    {kProtectionLayout, memory.protection},
                                    {kSecurityLayout, memory.security}});
}

Reply Sle4442Card::Read(std::span<const std::uint8_t> data) const {
    const auto t = ParseRead(data, kAddressBytes);
    if (!t) return Refuse(kWordCommandError);
    std::vector<std::uint8_t> bytes(t->count, kFloatingLine);
    for (std::size_t i = 0; i < t->count && t->address + i < memory.main.size(); ++i) {
        bytes[i] = memory.main[t->address + i];
    }
    return Echo(kRead, std::move(bytes));
}

Reply Sle4442Card::Write(std::uint8_t command, std::span<const std::uint8_t> data, bool protect) {
    return WriteEach(command, data, kAddressBytes,
                     [&](std::size_t a, std::uint8_t v) { Store(a, v, protect); });
}

void Sle4442Card::Store(std::size_t address, std::uint8_t value, bool protect) {
    if (!verified_ || address >= memory.main.size()) return;
    if (Writable(address)) memory.main[address] = value;
    if (protect && address < kProtectedArea && memory.main[address] == value) {
        memory.protection[address / 8] &= static_cast<std::uint8_t>(~(1u << (address % 8)));
    }
}

Reply Sle4442Card::Verify(std::span<const std::uint8_t> data) {
    const auto code = std::span(memory.security).subspan(kCodeOffset);
    return PresentCode(kVerify, memory.security[0], kCounterMask, code, data, verified_);
}

Reply Sle4442Card::ReadProtection(std::span<const std::uint8_t> data) const {
    if (data.size() != 2) return Refuse(kWordCommandError);
    return Echo(kReadProtection, {memory.protection.begin(), memory.protection.end()});
}

Reply Sle4442Card::ReadSecurity(std::span<const std::uint8_t> data) const {
    if (!data.empty()) return Refuse(kWordCommandError);
    std::vector<std::uint8_t> bytes(memory.security.begin(), memory.security.end());
    if (!verified_) std::fill(bytes.begin() + kCodeOffset, bytes.end(), 0x00);
    return Echo(kReadSecurity, std::move(bytes));
}

Reply Sle4442Card::ChangeCode(std::span<const std::uint8_t> data) {
    if (data.size() != memory.security.size() - kCodeOffset) return Refuse(kWordCommandError);
    if (verified_) std::copy(data.begin(), data.end(), memory.security.begin() + kCodeOffset);
    return Echo(kChangeCode);
}

}  // namespace sim
