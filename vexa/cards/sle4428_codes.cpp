// SPDX-License-Identifier: MIT
// The SLE4428 security code. The code and its error counter live in main
// memory (counter at 1021, code at 1022 and 1023), so counting and changing go
// through the plain memory entry points, for whichever family is selected.
#include <array>

#include "vexa.h"
#include "vexa/cards/attempt_count.h"
#include "vexa/link/hex_text.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

constexpr std::size_t kCodeSize = 2;
constexpr std::int32_t kCounterAddress = 1021;
constexpr std::int32_t kCodeAddress = 1022;

}  // namespace

}  // namespace vexa

using namespace vexa;

int16_t IC_CheckPass_SLE4428(int32_t icdev, const unsigned char* code) {
    return VerifyPin_4428(icdev, code);
}

int16_t IC_CheckPass_4428hex(int32_t icdev, const char* code) {
    return WithHexInput<kCodeSize>(code, kCodeSize, [icdev](const std::uint8_t* bytes) {
        return VerifyPin_4428(icdev, bytes);
    });
}

int16_t IC_ReadCount_SLE4428(int32_t icdev) {
    std::uint8_t counter = 0;
    const int16_t st = IC_Read(icdev, kCounterAddress, 1, &counter);
    if (st != kOk) return st;
    return AttemptCount(counter);
}

int16_t IC_ChangePass_SLE4428(int32_t icdev, const unsigned char* code) {
    if (code == nullptr) return Finish(kLengthError);
    return IC_Write(icdev, kCodeAddress, kCodeSize, code);
}

int16_t IC_ChangePass_4428hex(int32_t icdev, const char* code) {
    return WithHexInput<kCodeSize>(code, kCodeSize, [icdev](const std::uint8_t* bytes) {
        return IC_ChangePass_SLE4428(icdev, bytes);
    });
}
