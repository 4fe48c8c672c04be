// SPDX-License-Identifier: MIT
// SLE4442 (and SLE4432) single commands: main memory, protection memory and
// security memory, each one exchange with the reader.
#include <algorithm>
#include <array>

#include "vexa.h"
#include "vexa/cards/card_command.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

constexpr std::uint8_t kRead = 0xB4;
constexpr std::uint8_t kWrite = 0xB5;
constexpr std::uint8_t kVerify = 0xB6;
constexpr std::uint8_t kReadProtection = 0xB7;
constexpr std::uint8_t kWriteProtected = 0xB8;
constexpr std::uint8_t kReadSecurity = 0xB9;
constexpr std::uint8_t kWriteCode = 0xBA;

constexpr std::size_t kCodeSize = 3;
constexpr std::size_t kProtectionBytes = 4;
constexpr std::size_t kProtectionBits = 32;
constexpr std::size_t kSecurityBytes = 4;

// Entry k is bit k % 8 of protection byte k / 8; entries past the 32 bits of
// the chip read as 0.
std::uint8_t ProtectionEntry(const std::uint8_t* bits, std::size_t k) {
    return k < kProtectionBits ? (bits[k / 8] >> (k % 8)) & 1 : 0;
}

std::int32_t ReadProtection(std::int32_t icdev, std::uint8_t first, std::uint8_t count,
                            std::uint8_t* out) {
    if (count > 0 && out == nullptr) return kLengthError;
    static constexpr std::array<std::uint8_t, 2> kWholeMemory{0x00, kProtectionBytes};
    Response r;
    std::int32_t st = EchoedExchange(icdev, kReadProtection, kWholeMemory, r);
    if (st == kOk) st = ExactLength(r, kProtectionBytes);
    if (st != kOk) return st;
    for (std::size_t i = 0; i < count; ++i) out[i] = ProtectionEntry(r.Data(), first + i);
    return kOk;
}

std::int32_t ReadSecurity(std::int32_t icdev, std::uint8_t* out) {
    if (out == nullptr) return kLengthError;
    Response r;
    std::int32_t st = EchoedExchange(icdev, kReadSecurity, {}, r);
    if (st == kOk) st = ExactLength(r, kSecurityBytes);
    if (st != kOk) return st;
    std::copy_n(r.Data(), kSecurityBytes, out);
    return kOk;
}

}  // namespace

}  // namespace vexa

using namespace vexa;

int16_t Read_4442(int32_t icdev, int32_t address, int32_t count, unsigned char* out) {
    const std::array<std::uint8_t, 2> request{Low8(address), Low8(count)};
    return Finish(ReadInto(icdev, kRead, request, out, Low8(count)));
}

int16_t Write_4442(int32_t icdev, int32_t address, int32_t count, const unsigned char* data) {
    const std::int16_t n = Low16(count);
    const std::array<std::uint8_t, 2> header{Low8(address), static_cast<std::uint8_t>(n)};
    return Finish(SendWithData(icdev, kWrite, header, data, n));
}

int16_t VerifyPin_4442(int32_t icdev, const unsigned char* code) {
    return Finish(SendCode(icdev, kVerify, code, kCodeSize));
}

int16_t ReadWithProtection_4442(int32_t icdev, int32_t first, int32_t count, unsigned char* out) {
    return Finish(ReadProtection(icdev, Low8(first), Low8(count), out));
}

int16_t WriteWithProtection_4442(int32_t icdev, int32_t address, int32_t count,
                                 const unsigned char* data) {
    const std::array<std::uint8_t, 2> header{Low8(address), Low8(count)};
    return Finish(SendWithData(icdev, kWriteProtected, header, data, Low8(count)));
}

int16_t ReadPass_4442(int32_t icdev, unsigned char* out) {
    return Finish(ReadSecurity(icdev, out));
}

int16_t WritePass_4442(int32_t icdev, const unsigned char* code) {
    return Finish(SendCode(icdev, kWriteCode, code, kCodeSize));
}
