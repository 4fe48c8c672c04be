// SPDX-License-Identifier: MIT
// The reader's own EEPROM, reached as a 24Cxx card behind reader card code
// 0x10. Every access puts the reader's previous card selection back.
#include <array>

#include "vexa.h"
#include "vexa/cards/pieces.h"
#include "vexa/cards/verified_write.h"
#include "vexa/link/build_config.h"
#include "vexa/link/exchange.h"
#include "vexa/link/hex_text.h"
#include "vexa/link/selection.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

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

}  // namespace

}  // namespace vexa

using namespace vexa;

int16_t IC_ReadDevice(int32_t icdev, int32_t offset, int32_t length, unsigned char* data) {
    if constexpr (kReducedBuild) return Finish(kNotSupported);
    const int16_t from = Low16(offset);
    const int16_t n = Low16(length);
    if (BadRequest(from, n, data)) return Finish(kLengthError);
    return Finish(WithReaderMemory(icdev, [&] {
        return ForEachPiece(from, n, kMemoryPiece, [&](int address, int start, int size) {
            return Read_24C(icdev, address, size, data + start);
        });
    }));
}

int16_t IC_WriteDevice(int32_t icdev, int32_t offset, int32_t length, const unsigned char* data) {
    if constexpr (kReducedBuild) return Finish(kNotSupported);
    const int16_t from = Low16(offset);
    const int16_t n = Low16(length);
    if (BadRequest(from, n, data)) return Finish(kLengthError);
    // The memory is written as a one-byte-address 24Cxx card: page-aligned,
    // verified pieces.
    return Finish(WithReaderMemory(icdev, [&] { return IC_Write24(icdev, from, n, data); }));
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
