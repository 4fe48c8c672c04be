// Status codes of the library's own failures and the last-error register.
#pragma once

#include <cstdint>

namespace vexa {

constexpr std::int32_t kOk = 0;
constexpr std::int32_t kNoCard = 1;
constexpr std::int32_t kOpenFailed = -16;
constexpr std::int32_t kApduLength = -17;
constexpr std::int32_t kWrongCardType = -18;
constexpr std::int32_t kWriteMismatch = -19;
constexpr std::int32_t kLengthError = -20;
constexpr std::int32_t kNotSupported = -21;
constexpr std::int32_t kSendFailed = -22;
constexpr std::int32_t kReceiveFailed = -23;
constexpr std::int32_t kChecksumError = -24;
constexpr std::int32_t kCardTestError = -25;

std::int32_t LastError();
void SetLastError(std::int32_t status);

// Stores the status in the last-error register and returns it as the 16-bit
// result every exported call hands back.
std::int16_t Finish(std::int32_t status);

// The low 16 bits of a 32-bit argument slot, read as a signed number.
constexpr std::int16_t Low16(std::int32_t v) { return static_cast<std::int16_t>(v); }
// The low 8 bits of a 32-bit argument slot.
constexpr std::uint8_t Low8(std::int32_t v) { return static_cast<std::uint8_t>(v); }

}  // namespace vexa
