// SPDX-License-Identifier: MIT
// Hexadecimal-text twins of the memory entry points. Each converts through a
// work area of fixed size, which bounds the length it carries.
#include "vexa.h"
#include "vexa/link/hex_text.h"
#include "vexa/link/status.h"

using namespace vexa;

namespace {

constexpr std::size_t kReadWriteArea = 1025;
constexpr std::size_t kWrite24Area = 2048;
constexpr std::size_t kWrite64Area = 10240;
constexpr std::size_t kFlashArea = 300;

}  // namespace

int16_t IC_Read_Hex(int32_t icdev, int32_t offset, int32_t length, char* text) {
    return WithHexOutput<kReadWriteArea>(text, Low16(length), [&](std::uint8_t* out) {
        return IC_Read(icdev, offset, length, out);
    });
}

int16_t IC_Write_Hex(int32_t icdev, int32_t offset, int32_t length, const char* text) {
    return WithHexInput<kReadWriteArea>(text, Low16(length), [&](const std::uint8_t* data) {
        return IC_Write(icdev, offset, length, data);
    });
}

int16_t IC_Write24_Hex(int32_t icdev, int32_t offset, int32_t length, const char* text) {
    return WithHexInput<kWrite24Area>(text, Low16(length), [&](const std::uint8_t* data) {
        return IC_Write24(icdev, offset, length, data);
    });
}

int16_t IC_Write64_Hex(int32_t icdev, int32_t offset, int32_t length, const char* text) {
    return WithHexInput<kWrite64Area>(text, Low16(length), [&](const std::uint8_t* data) {
        return IC_Write64(icdev, offset, length, data);
    });
}

int16_t IC_DirectRead_Hex(int32_t icdev, int32_t page, int32_t offset, int32_t length, char* text) {
    return WithHexOutput<kFlashArea>(text, Low16(length), [&](std::uint8_t* out) {
        return IC_DirectRead(icdev, page, offset, length, out);
    });
}

int16_t IC_DirectWrite_Hex(int32_t icdev, int32_t page, int32_t offset, int32_t length,
                           const char* text) {
    return WithHexInput<kFlashArea>(text, Low16(length), [&](const std::uint8_t* data) {
        return IC_DirectWrite(icdev, page, offset, length, data);
    });
}
