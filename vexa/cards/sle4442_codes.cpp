// SPDX-License-Identifier: MIT
// The SLE4442 security code: check, change, read back, attempts left, and the
// hexadecimal twins of the first three.
#include <algorithm>
#include <array>

#include "vexa.h"
#include "vexa/cards/attempt_count.h"
#include "vexa/link/hex_text.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

constexpr std::size_t kCodeSize = 3;
// Security memory: the error counter, then the three code bytes.
constexpr std::size_t kCounterByte = 0;
constexpr std::size_t kFirstCodeByte = 1;
constexpr std::uint8_t kCounterBits = 0x07;

using SecurityMemory = std::array<std::uint8_t, 4>;

}  // namespace

}  // namespace vexa

using namespace vexa;

int16_t IC_CheckPass_SLE4442(int32_t icdev, const unsigned char* code) {
    return VerifyPin_4442(icdev, code);
}

int16_t IC_ChangePass_SLE4442(int32_t icdev, const unsigned char* code) {
    return WritePass_4442(icdev, code);
}

int16_t IC_ReadPass_SLE4442(int32_t icdev, unsigned char* code) {
    if (code == nullptr) return Finish(kLengthError);
    SecurityMemory security{};
    const int16_t st = ReadPass_4442(icdev, security.data());
    if (st != kOk) return st;
    std::copy_n(security.begin() + kFirstCodeByte, kCodeSize, code);
    return Finish(kOk);
}

int16_t IC_ReadCount_SLE4442(int32_t icdev) {
    SecurityMemory security{};
    const int16_t st = ReadPass_4442(icdev, security.data());
    if (st != kOk) return st;
    return AttemptCount(security[kCounterByte] & kCounterBits);
}

int16_t IC_CheckPass_4442hex(int32_t icdev, const char* code) {
    return WithHexInput<kCodeSize>(code, kCodeSize, [icdev](const std::uint8_t* bytes) {
        return VerifyPin_4442(icdev, bytes);
    });
}

int16_t IC_ChangePass_4442hex(int32_t icdev, const char* code) {
    return WithHexInput<kCodeSize>(code, kCodeSize, [icdev](const std::uint8_t* bytes) {
        return WritePass_4442(icdev, bytes);
    });
}

int16_t IC_ReadPass_4442hex(int32_t icdev, char* code) {
    return WithHexOutput<kCodeSize>(code, kCodeSize, [icdev](std::uint8_t* bytes) {
        return IC_ReadPass_SLE4442(icdev, bytes);
    });
}
