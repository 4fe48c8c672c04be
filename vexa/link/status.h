// SPDX-License-Identifier: MIT
// Status codes of the library's own failures and the last-error register.
#pragma once

#include <cstdint>

#include "vexa.h"

namespace vexa {

// The public header's codes, typed as the library's status values.
constexpr std::int32_t kOk = VEXA_OK;
constexpr std::int32_t kNoCard = VEXA_NO_CARD;
constexpr std::int32_t kOpenFailed = VEXA_ERR_OPEN_PORT;
constexpr std::int32_t kApduLength = VEXA_ERR_APDU_LENGTH;
constexpr std::int32_t kWrongCardType = VEXA_ERR_CARD_TYPE;
constexpr std::int32_t kWriteMismatch = VEXA_ERR_WRITE_MISMATCH;
constexpr std::int32_t kLengthError = VEXA_ERR_LENGTH;
constexpr std::int32_t kNotSupported = VEXA_ERR_NOT_SUPPORTED;
constexpr std::int32_t kSendFailed = VEXA_ERR_SEND;
constexpr std::int32_t kReceiveFailed = VEXA_ERR_RECEIVE;
constexpr std::int32_t kChecksumError = VEXA_ERR_CHECKSUM;
constexpr std::int32_t kCardTestError = VEXA_ERR_CARD_TEST;

std::int32_t LastError();
void SetLastError(std::int32_t status);

// Stores the status in the last-error register and returns it as the 16-bit
// result every exported call hands back.
std::int16_t Finish(std::int32_t status);

// The low 16 bits of a 32-bit argument slot, read as a signed number.
constexpr std::int16_t Low16(std::int32_t v) {
    return static_cast<std::int16_t>(v);
}
// The low 8 bits of a 32-bit argument slot.
constexpr std::uint8_t Low8(std::int32_t v) {
    return static_cast<std::uint8_t>(v);
}

}  // namespace vexa
