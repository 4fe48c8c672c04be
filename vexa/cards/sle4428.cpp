// SPDX-License-Identifier: MIT
// SLE4428 (and SLE4418) single commands: 1024 bytes, each with its own
// protection flag, addressed with two bytes, low first.
#include <algorithm>
#include <array>

#include "vexa.h"
#include "vexa/cards/card_command.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

constexpr std::uint8_t kRead = 0xBB;
constexpr std::uint8_t kWrite = 0xBC;
constexpr std::uint8_t kVerify = 0xBD;
constexpr std::uint8_t kReadProtected = 0xBE;
constexpr std::uint8_t kWriteProtected = 0xBF;

constexpr std::size_t kCodeSize = 2;
constexpr std::uint8_t kFlagWritable = 1;

std::int32_t Write(std::int32_t icdev, std::uint8_t command, std::int32_t address,
                   std::int32_t count, const std::uint8_t* data) {
    const std::int16_t a = Low16(address);
    const std::int16_t n = Low16(count);
    if (a < 0) return kLengthError;
    return SendWithData(icdev, command, AddressAndCount(a, static_cast<std::uint8_t>(n)), data, n);
}

// The answer carries the data bytes, then one flag byte per data byte; the
// caller gets the data followed by "1" for each flag of 1 and "0" otherwise.
std::int32_t ReadWithFlags(std::int32_t icdev, std::int16_t address, std::uint8_t count,
                           std::uint8_t* out) {
    if (address < 0 || (count > 0 && out == nullptr)) return kLengthError;
    Response r;
    std::int32_t st = EchoedExchange(icdev, kReadProtected, AddressAndCount(address, count), r);
    if (st == kOk) st = ExactLength(r, 2 * std::size_t{count});
    if (st != kOk) return st;
    std::copy_n(r.Data(), count, out);
    std::transform(r.Data() + count, r.Data() + 2 * count, out + count,
                   [](std::uint8_t flag) { return flag == kFlagWritable ? '1' : '0'; });
    return kOk;
}

}  // namespace

}  // namespace vexa

using namespace vexa;

int16_t Read_4428(int32_t icdev, int32_t address, int32_t count, unsigned char* out) {
    const std::int16_t a = Low16(address);
    if (a < 0) return Finish(kLengthError);
    return Finish(ReadInto(icdev, kRead, AddressAndCount(a, Low8(count)), out, Low8(count)));
}

int16_t Write_4428(int32_t icdev, int32_t address, int32_t count, const unsigned char* data) {
    return Finish(Write(icdev, kWrite, address, count, data));
}

int16_t VerifyPin_4428(int32_t icdev, const unsigned char* code) {
    return Finish(SendCode(icdev, kVerify, code, kCodeSize));
}

int16_t ReadWithProtection_4428(int32_t icdev, int32_t address, int32_t count, unsigned char* out) {
    return Finish(ReadWithFlags(icdev, Low16(address), Low8(count), out));
}

int16_t WriteWithProtection_4428(int32_t icdev, int32_t address, int32_t count,
                                 const unsigned char* data) {
    return Finish(Write(icdev, kWriteProtected, address, count, data));
}
