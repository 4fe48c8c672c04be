// SPDX-License-Identifier: MIT
#include "sim/card_os.h"

#include <algorithm>

#include "sim/memory_text.h"

namespace sim {

namespace {

constexpr std::uint8_t kClass = 0x00;
constexpr std::uint8_t kSelect = 0xA4;
constexpr std::uint8_t kGetChallenge = 0x84;
constexpr std::uint8_t kReadBinary = 0xB0;
constexpr std::uint8_t kUpdateBinary = 0xD6;
constexpr std::uint8_t kVerify = 0x20;
constexpr std::size_t kHeader = 5;  // CLA INS P1 P2 P3
constexpr std::uint8_t kChallenge = 8;

constexpr std::uint16_t kSwOk = 0x9000;
constexpr std::uint16_t kSwWrongLength = 0x6700;
constexpr std::uint16_t kSwSecurity = 0x6982;
constexpr std::uint16_t kSwBlocked = 0x6983;
constexpr std::uint16_t kSwNoEf = 0x6986;
constexpr std::uint16_t kSwNotFound = 0x6A82;
constexpr std::uint16_t kSwWrongP1P2 = 0x6A86;
constexpr std::uint16_t kSwBeyondEnd = 0x6B00;
constexpr std::uint16_t kSwBadIns = 0x6D00;
constexpr std::uint16_t kSwBadClass = 0x6E00;

constexpr MemoryLayout kLayout{"CPU", 16, 0xFF};

std::vector<std::uint8_t> Sw(std::uint16_t sw) {
    return {static_cast<std::uint8_t>(sw >> 8), static_cast<std::uint8_t>(sw)};
}

std::vector<std::uint8_t> WrongLe(std::size_t right) {
    return {0x6C, static_cast<std::uint8_t>(right)};
}

std::vector<std::uint8_t> TriesLeft(std::uint8_t n) {
    return {0x63, static_cast<std::uint8_t>(0xC0 | std::min<std::uint8_t>(n, 0x0F))};
}

std::vector<std::uint8_t> WithOk(std::vector<std::uint8_t> data) {
    const auto sw = Sw(kSwOk);
    data.insert(data.end(), sw.begin(), sw.end());
    return data;
}

bool CarriesData(std::uint8_t ins) {
    return ins == kSelect || ins == kUpdateBinary || ins == kVerify;
}

}  // namespace

CardOs::CardOs() {
    eeprom_.fill(0xFF);
    eeprom_[kTriesAt] = kPinTries;
    std::copy(kDefaultPin.begin(), kDefaultPin.end(), eeprom_.begin() + kPinAt);
    const auto file = ef();
    for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(0xE0 + i);
}

void CardOs::Restart() {
    ef_selected_ = false;
    pin_verified_ = false;
}

std::vector<std::uint8_t> CardOs::Respond(std::span<const std::uint8_t> command) {
    if (command.size() < kHeader) return Sw(kSwWrongLength);
    const std::uint8_t ins = command[1];
    const std::uint8_t p1 = command[2];
    const std::uint8_t p2 = command[3];
    const std::uint8_t p3 = command[4];
    const auto data = command.subspan(kHeader);
    if (command[0] != kClass) return Sw(kSwBadClass);
    if (CarriesData(ins) ? data.size() != p3 : !data.empty()) return Sw(kSwWrongLength);
    const std::size_t offset = std::size_t{p1} << 8 | p2;
    switch (ins) {
        case kSelect:
            return Select(p1, data);
        case kGetChallenge:
            return offset == 0 ? GetChallenge(p3) : Sw(kSwWrongP1P2);
        case kReadBinary:
            return ReadBinary(offset, p3);
        case kUpdateBinary:
            return UpdateBinary(offset, data);
        case kVerify:
            return Verify(data);
        default:
            return Sw(kSwBadIns);
    }
}

CardOs::Answer CardOs::Select(std::uint8_t p1, std::span<const std::uint8_t> data) {
    if (p1 != 0x00) return Sw(kSwWrongP1P2);  // only selection by file identifier
    if (data.size() != 2) return Sw(kSwWrongLength);
    const std::uint16_t fid = static_cast<std::uint16_t>(data[0] << 8 | data[1]);
    if (fid != kMf && fid != kEf) return Sw(kSwNotFound);
    ef_selected_ = fid == kEf;
    return Sw(kSwOk);
}

CardOs::Answer CardOs::GetChallenge(std::uint8_t le) {
    if (le != kChallenge) return WrongLe(kChallenge);
    Answer challenge(kChallenge);
    for (auto& byte : challenge) {
        random_ ^= random_ << 13;  // xorshift32
        random_ ^= random_ >> 17;
        random_ ^= random_ << 5;
        byte = static_cast<std::uint8_t>(random_);
    }
    return WithOk(std::move(challenge));
}

CardOs::Answer CardOs::ReadBinary(std::size_t offset, std::uint8_t le) {
    if (!ef_selected_) return Sw(kSwNoEf);
    if (offset >= kEfSize) return Sw(kSwBeyondEnd);
    const std::size_t wanted = le == 0 ? 256 : le;
    if (offset + wanted > kEfSize) return WrongLe(kEfSize - offset);
    const auto bytes = ef().subspan(offset, wanted);
    return WithOk({bytes.begin(), bytes.end()});
}

CardOs::Answer CardOs::UpdateBinary(std::size_t offset, std::span<const std::uint8_t> data) {
    if (!ef_selected_) return Sw(kSwNoEf);
    if (!pin_verified_) return Sw(kSwSecurity);
    if (offset + data.size() > kEfSize) return Sw(kSwBeyondEnd);
    std::copy(data.begin(), data.end(), ef().begin() + static_cast<std::ptrdiff_t>(offset));
    return Sw(kSwOk);
}

CardOs::Answer CardOs::Verify(std::span<const std::uint8_t> pin) {
    std::uint8_t& tries = eeprom_[kTriesAt];
    if (tries == 0) return Sw(kSwBlocked);
    if (pin.empty()) return pin_verified_ ? Sw(kSwOk) : TriesLeft(tries);
    const auto stored = std::span(eeprom_).subspan(kPinAt, kDefaultPin.size());
    if (std::ranges::equal(pin, stored)) {
        tries = kPinTries;
        pin_verified_ = true;
        return Sw(kSwOk);
    }
    pin_verified_ = false;
    return TriesLeft(--tries);
}

std::string CardOs::Save() const {
    return MemoryToText(kLayout, eeprom_);
}

bool CardOs::Load(const std::string& state) {
    return MemoryFromText(kLayout, state, eeprom_);
}

}  // namespace sim
