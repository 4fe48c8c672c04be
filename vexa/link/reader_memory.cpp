// The reader's own EEPROM, reached as a 24Cxx card behind reader card code
// 0x10. Every access puts the reader's previous card selection back.
#include <algorithm>
#include <array>

#include "../cards/selection.h"
#include "../include/vexa.h"
#include "build_config.h"
#include "exchange.h"
#include "hex_text.h"
#include "status.h"

namespace vexa {

namespace {

constexpr std::uint8_t kSelectCommand = 0xA5;
constexpr int kBlock = 128;
constexpr int kWritePage = 8;
constexpr std::size_t kHexArea = 2048;

// The select's answer is not read; the next command's answer replaces it.
std::int32_t SelectInReader(std::int32_t icdev, std::uint8_t reader_code) {
    const std::array<std::uint8_t, 1> data{reader_code};
    return SendOnly(icdev, kSelectCommand, data);
}

template <typename Access>
std::int32_t WithReaderMemory(std::int32_t icdev, Access access) {
    const std::int32_t selected = SelectInReader(icdev, kReader24C);
    if (selected != kOk) return selected;
    const std::int32_t st = access();
    SelectInReader(icdev, CurrentSelection().reader_code);  // its outcome changes nothing
    return st;
}

// Calls block(address, start, size) for consecutive blocks of at most 128
// bytes covering `length` bytes from `address`; stops at the first failure.
template <typename Block>
std::int32_t ForEachBlock(int address, int length, Block block) {
    for (int start = 0; start < length; start += kBlock) {
        const std::int32_t st = block(address + start, start, std::min(kBlock, length - start));
        if (st != kOk) return st;
    }
    return kOk;
}

std::int32_t WriteVerified(std::int32_t icdev, int address, int size, const std::uint8_t* src) {
    const std::int16_t written = Write_24C(icdev, address, size, src);
    if (written != kOk) return written;
    std::array<std::uint8_t, kBlock> back{};
    const std::int16_t st = Read_24C(icdev, address, size, back.data());
    if (st != kOk) return st;
    return std::equal(src, src + size, back.begin()) ? kOk : kWriteMismatch;
}

std::int32_t WriteMemory(std::int32_t icdev, int offset, int length, const std::uint8_t* data) {
    // A head that would cross an 8-byte page goes first on its own, so every
    // later block starts on a page boundary.
    const int misalign = offset % kWritePage;
    int head = 0;
    if (misalign != 0 && length > kWritePage - misalign) {
        head = kWritePage - misalign;
        const std::int32_t st = WriteVerified(icdev, offset, head, data);
        if (st != kOk) return st;
    }
    return ForEachBlock(offset + head, length - head, [&](int address, int start, int size) {
        return WriteVerified(icdev, address, size, data + head + start);
    });
}

bool BadRange(std::int16_t offset, std::int16_t length, const void* data) {
    return offset < 0 || length < 0 || (length > 0 && data == nullptr);
}

}  // namespace

}  // namespace vexa

using namespace vexa;

int16_t IC_ReadDevice(int32_t icdev, int32_t offset, int32_t length, unsigned char* data) {
    if constexpr (kReducedBuild) return Finish(kNotSupported);
    const int16_t from = Low16(offset);
    const int16_t n = Low16(length);
    if (BadRange(from, n, data)) return Finish(kLengthError);
    return Finish(WithReaderMemory(icdev, [&] {
        return ForEachBlock(from, n, [&](int address, int start, int size) {
            return Read_24C(icdev, address, size, data + start);
        });
    }));
}

int16_t IC_WriteDevice(int32_t icdev, int32_t offset, int32_t length, const unsigned char* data) {
    if constexpr (kReducedBuild) return Finish(kNotSupported);
    const int16_t from = Low16(offset);
    const int16_t n = Low16(length);
    if (BadRange(from, n, data)) return Finish(kLengthError);
    return Finish(WithReaderMemory(icdev, [&] { return WriteMemory(icdev, from, n, data); }));
}

int16_t IC_ReadDevice_Hex(int32_t icdev, int32_t offset, int32_t length, char* text) {
    if constexpr (kReducedBuild) return Finish(kNotSupported);
    return WithHexOutput<kHexArea>(text, Low16(length), [&](std::uint8_t* bytes) {
        return IC_ReadDevice(icdev, offset, length, bytes);
    });
}

int16_t IC_WriteDevice_Hex(int32_t icdev, int32_t offset, int32_t length, const char* text) {
    if constexpr (kReducedBuild) return Finish(kNotSupported);
    return WithHexInput<kHexArea>(text, Low16(length), [&](const std::uint8_t* bytes) {
        return IC_WriteDevice(icdev, offset, length, bytes);
    });
}
