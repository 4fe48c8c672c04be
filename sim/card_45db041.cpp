// SPDX-License-Identifier: MIT
#include "sim/card_45db041.h"

#include <algorithm>
#include <cstdio>

#include "sim/foreign_command.h"
#include "sim/memory_text.h"

namespace sim {

namespace {

constexpr std::uint8_t kReaderCode = 0x13;
constexpr std::uint8_t kRead = 0xAE;
constexpr std::uint8_t kWrite = 0xAF;
constexpr std::size_t kHeader = 5;  // page high, page low, offset high, offset low, count
constexpr std::uint8_t kErased = 0xFF;
constexpr std::size_t kPageMask = 0x7FF;
constexpr std::size_t kOffsetMask = 0x1FF;
constexpr std::size_t kFilledPages = 16;  // at the start and at the end of the chip
constexpr MemoryLayout kLayout{"45DB041", Flash45DB041Card::kPageSize, kErased};

void FillPage(std::span<std::uint8_t> page, std::size_t number) {
    for (std::size_t i = 0; i < page.size(); ++i)
        page[i] = static_cast<std::uint8_t>(i * 7 + number * 13 + 1);
    char title[16];
    const int n = std::snprintf(title, sizeof title, "PAGE %04zu", number);
    std::copy_n(title, n, page.begin());
}

}  // namespace

Flash45DB041Card::Flash45DB041Card() : memory_(kPages * kPageSize, kErased) {
    for (std::size_t i = 0; i < kFilledPages; ++i) {
        FillPage(page(i), i);
        FillPage(page(kPages - 1 - i), kPages - 1 - i);
    }
}

Reply Flash45DB041Card::Handle(const Command& cmd) {
    if (cmd.reader_code != kReaderCode || (cmd.code != kRead && cmd.code != kWrite))
        return RefuseForeign(cmd.code);
    if (cmd.data.size() < kHeader) return Refuse(kWordCommandError);
    const std::size_t page_number = ((std::size_t{cmd.data[0]} << 8) | cmd.data[1]) & kPageMask;
    const std::size_t offset =
        (((std::size_t{cmd.data[2]} << 8) | cmd.data[3]) & kOffsetMask) % kPageSize;
    const std::size_t count = cmd.data[4];
    if (cmd.code == kRead) {
        if (cmd.data.size() != kHeader) return Refuse(kWordCommandError);
        return Read(page_number, offset, count);
    }
    if (cmd.data.size() != kHeader + count) return Refuse(kWordCommandError);
    return Write(page_number, offset, cmd.data.subspan(kHeader));
}

std::string Flash45DB041Card::Save() const {
    return MemoryToText(kLayout, memory_);
}

bool Flash45DB041Card::Load(const std::string& state) {
    return MemoryFromText(kLayout, state, memory_);
}

Reply Flash45DB041Card::Read(std::size_t page_number, std::size_t offset, std::size_t count) {
    const auto bytes = page(page_number);
    std::vector<std::uint8_t> out(count);
    for (std::size_t i = 0; i < count; ++i) out[i] = bytes[(offset + i) % kPageSize];
    return Echo(kRead, std::move(out));
}

// Page to buffer, new bytes into the buffer, buffer programmed back with
// built-in erase: the page ends up as the buffer, so the bytes not sent keep
// their values.
Reply Flash45DB041Card::Write(std::size_t page_number, std::size_t offset,
                              std::span<const std::uint8_t> data) {
    const auto bytes = page(page_number);
    for (std::size_t i = 0; i < data.size(); ++i) bytes[(offset + i) % kPageSize] = data[i];
    return Echo(kWrite);
}

}  // namespace sim
