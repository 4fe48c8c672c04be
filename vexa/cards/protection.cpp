// SPDX-License-Identifier: MIT
// The protection entry points: SLE4442 protection bits (always addressed as an
// SLE4442) and SLE4428 data with protection flags (always as an SLE4428),
// whatever family is selected, with their hexadecimal twins.
#include <algorithm>
#include <array>

#include "vexa.h"
#include "vexa/cards/pieces.h"
#include "vexa/link/hex_text.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

constexpr std::int32_t kReadPiece = 64;
constexpr std::int32_t kWritePiece = 128;

constexpr std::size_t kReadProtectionArea = 256;
constexpr std::size_t kWriteProtectionArea = 33;
constexpr std::size_t kReadWithProtectionArea = 256;
constexpr std::size_t kWriteWithProtectionArea = 1024;

// Each piece answers its data bytes followed by as many flag characters; the
// caller gets all data first, then all flags in the same order.
std::int32_t ReadDataAndFlags(std::int32_t icdev, std::int16_t offset, std::int16_t length,
                              std::uint8_t* out) {
    if (BadRequest(offset, length, out)) return kLengthError;
    return ForEachPiece(
        offset, length, kReadPiece, [&](std::int32_t address, std::int32_t pos, std::int32_t n) {
            std::array<std::uint8_t, 2 * kReadPiece> piece{};
            const std::int32_t st = ReadWithProtection_4428(icdev, address, n, piece.data());
            if (st != kOk) return st;
            std::copy_n(piece.begin(), n, out + pos);
            std::copy_n(piece.begin() + n, n, out + length + pos);
            return kOk;
        });
}

std::int32_t WriteAndProtect(std::int32_t icdev, std::int16_t offset, std::int16_t length,
                             const std::uint8_t* data) {
    if (BadRequest(offset, length, data)) return kLengthError;
    return ForEachPiece(offset, length, kWritePiece,
                        [&](std::int32_t address, std::int32_t pos, std::int32_t n) {
                            return WriteWithProtection_4428(icdev, address, n, data + pos);
                        });
}

}  // namespace

}  // namespace vexa

using namespace vexa;

int16_t IC_ReadProtection(int32_t icdev, int32_t offset, int32_t length, unsigned char* out) {
    return ReadWithProtection_4442(icdev, Low8(offset), Low8(length), out);
}

int16_t IC_WriteProtection(int32_t icdev, int32_t offset, int32_t length,
                           const unsigned char* data) {
    return WriteWithProtection_4442(icdev, Low8(offset), Low8(length), data);
}

int16_t IC_ReadWithProtection(int32_t icdev, int32_t offset, int32_t length, unsigned char* out) {
    return Finish(ReadDataAndFlags(icdev, Low16(offset), Low16(length), out));
}

int16_t IC_WriteWithProtection(int32_t icdev, int32_t offset, int32_t length,
                               const unsigned char* data) {
    return Finish(WriteAndProtect(icdev, Low16(offset), Low16(length), data));
}

int16_t IC_ReadProtection_Hex(int32_t icdev, int32_t offset, int32_t length, char* text) {
    return WithHexOutput<kReadProtectionArea>(text, Low8(length), [&](std::uint8_t* out) {
        return IC_ReadProtection(icdev, offset, length, out);
    });
}

int16_t IC_WriteProtection_Hex(int32_t icdev, int32_t offset, int32_t length, const char* text) {
    return WithHexInput<kWriteProtectionArea>(text, Low8(length), [&](const std::uint8_t* data) {
        return IC_WriteProtection(icdev, offset, length, data);
    });
}

// Data and flag characters both come out as hexadecimal: 4 characters a byte.
int16_t IC_ReadWithProtection_Hex(int32_t icdev, int32_t offset, int32_t length, char* text) {
    const std::int32_t n = Low16(length);
    return WithHexOutput<kReadWithProtectionArea>(text, 2 * n, [&](std::uint8_t* out) {
        return IC_ReadWithProtection(icdev, offset, n, out);
    });
}

int16_t IC_WriteWithProtection_Hex(int32_t icdev, int32_t offset, int32_t length,
                                   const char* text) {
    return WithHexInput<kWriteWithProtectionArea>(
        text, Low16(length), [&](const std::uint8_t* data) {
            return IC_WriteWithProtection(icdev, offset, length, data);
        });
}
