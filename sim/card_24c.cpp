// SPDX-License-Identifier: MIT
#include "sim/card_24c.h"

#include <algorithm>
#include <array>

#include "sim/foreign_command.h"
#include "sim/memory_text.h"

namespace sim {

namespace {

constexpr std::uint8_t kReaderCode = 0x10;
constexpr std::uint8_t kReadOneByte = 0xB0;
constexpr std::uint8_t kWriteOneByte = 0xB1;
constexpr std::uint8_t kReadTwoByte = 0xB2;
constexpr std::uint8_t kWriteTwoByte = 0xB3;
constexpr std::size_t kHeader = 3;  // address low, address high, count
constexpr std::size_t kTextLine = 32;
constexpr std::uint8_t kErased = 0xFF;

std::vector<std::uint8_t> InitialImage(const Eeprom24CChip& chip) {
    std::vector<std::uint8_t> image(chip.size);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 0x1D + (i >> 8) * 0x35 + 7);
    const std::string title = std::string(chip.name) + " TEST CARD";
    std::copy(title.begin(), title.end(), image.begin());
    return image;
}

MemoryLayout LayoutOf(const Eeprom24CChip& chip) {
    return {chip.name, kTextLine, kErased};
}

std::uint8_t BlockBits(std::uint16_t address) {
    return (address >> 8) & 0x07;
}

}  // namespace

Eeprom24CCard::Eeprom24CCard(const Eeprom24CChip& chip)
    : chip_(chip), memory_(InitialImage(chip)) {}

Reply Eeprom24CCard::Handle(const Command& cmd) {
    if (cmd.reader_code != kReaderCode) return RefuseForeign(cmd.code);
    switch (cmd.code) {
        case kReadOneByte:
        case kReadTwoByte:
            return Read(cmd);
        case kWriteOneByte:
        case kWriteTwoByte:
            return Write(cmd);
        default:
            return RefuseForeign(cmd.code);
    }
}

std::string Eeprom24CCard::Save() const {
    return MemoryToText(LayoutOf(chip_), memory_);
}

bool Eeprom24CCard::Load(const std::string& state) {
    return MemoryFromText(LayoutOf(chip_), state, memory_);
}

Reply Eeprom24CCard::Read(const Command& cmd) {
    if (cmd.data.size() != kHeader) return Refuse(kWordCommandError);
    const std::uint8_t low = cmd.data[0];
    const std::uint8_t high = cmd.data[1];
    if (cmd.code == kReadOneByte) {
        const std::uint8_t block = BlockBits(static_cast<std::uint16_t>(low | high << 8));
        if (!Acknowledges(block)) return Refuse(kWordCannotRead);
        SetAddress(block, cmd.data.first(1));
    } else {
        const std::array<std::uint8_t, 2> address{high, low};
        SetAddress(0, address);
    }
    return Echo(cmd.code, BusRead(cmd.data[2]));
}

// One bus write per write page, each addressed afresh; a page the chip does not
// acknowledge ends the command, the pages before it stay written.
Reply Eeprom24CCard::Write(const Command& cmd) {
    if (cmd.data.size() < kHeader || cmd.data.size() != kHeader + cmd.data[2])
        return Refuse(kWordCommandError);
    const bool one_byte = cmd.code == kWriteOneByte;
    auto address = static_cast<std::uint16_t>(cmd.data[0] | cmd.data[1] << 8);
    auto data = cmd.data.subspan(kHeader);
    while (!data.empty()) {
        const std::size_t n = std::min(data.size(), chip_.page - address % chip_.page);
        const std::uint8_t block = one_byte ? BlockBits(address) : 0;
        if (!Acknowledges(block)) return Refuse(kWordCannotRead);
        std::vector<std::uint8_t> bytes;
        if (!one_byte) bytes.push_back(static_cast<std::uint8_t>(address >> 8));
        bytes.push_back(static_cast<std::uint8_t>(address & 0xFF));
        bytes.insert(bytes.end(), data.begin(), data.begin() + static_cast<std::ptrdiff_t>(n));
        BusWrite(block, bytes);
        address = static_cast<std::uint16_t>(address + n);
        data = data.subspan(n);
    }
    return Echo(cmd.code);
}

std::size_t Eeprom24CCard::WordAddress(std::uint8_t block,
                                       std::span<const std::uint8_t> address) const {
    const std::size_t word = chip_.word_bytes == 1 ? (std::size_t{block} << 8) | address[0]
                                                   : (std::size_t{address[0]} << 8) | address[1];
    return word % chip_.size;
}

// A dummy write: loads the address counter, provided the chip got all its
// word-address bytes; further bytes are dropped by the repeated start.
void Eeprom24CCard::SetAddress(std::uint8_t block, std::span<const std::uint8_t> bytes) {
    if (bytes.size() < chip_.word_bytes) return;
    counter_ = WordAddress(block, bytes);
}

void Eeprom24CCard::BusWrite(std::uint8_t block, std::span<const std::uint8_t> bytes) {
    if (bytes.size() < chip_.word_bytes) return;
    const std::size_t start = WordAddress(block, bytes);
    const std::size_t page_start = start - start % chip_.page;
    std::size_t in_page = start % chip_.page;
    for (std::uint8_t b : bytes.subspan(chip_.word_bytes)) {
        memory_[page_start + in_page] = b;
        in_page = (in_page + 1) % chip_.page;
    }
    counter_ = page_start + in_page;
}

std::vector<std::uint8_t> Eeprom24CCard::BusRead(std::size_t count) {
    std::vector<std::uint8_t> out(count);
    for (std::uint8_t& b : out) {
        b = memory_[counter_];
        counter_ = (counter_ + 1) % chip_.size;
    }
    return out;
}

}  // namespace sim
