// SPDX-License-Identifier: MIT
// What the driver answers to a pseudo-APDU: response data and a status word,
// or no answer at all when the reader could not be reached.
#pragma once

#include <cstdint>
#include <vector>

namespace ifd {

using Bytes = std::vector<std::uint8_t>;

namespace sw {
constexpr std::uint16_t kOk = 0x9000;
constexpr std::uint16_t kWrongCodeBase = 0x63C0;  // + attempts left
constexpr std::uint16_t kExecutionError = 0x6400;
constexpr std::uint16_t kMemoryFailure = 0x6581;
constexpr std::uint16_t kWrongLength = 0x6700;
constexpr std::uint16_t kSecurityNotSatisfied = 0x6982;
constexpr std::uint16_t kCodeBlocked = 0x6983;
constexpr std::uint16_t kWrongData = 0x6A80;
constexpr std::uint16_t kFunctionNotSupported = 0x6A81;
constexpr std::uint16_t kPastCardEnd = 0x6A82;
constexpr std::uint16_t kAddressOutsideCard = 0x6B00;
constexpr std::uint16_t kExactLengthBase = 0x6C00;  // + the length to ask for
constexpr std::uint16_t kUnknownInstruction = 0x6D00;
constexpr std::uint16_t kUnknownClass = 0x6E00;
}  // namespace sw

struct Reply {
    bool reached = true;  // false: the reader failed; no status word to give
    Bytes data;
    std::uint16_t status = sw::kOk;

    static Reply Status(std::uint16_t status) { return {true, {}, status}; }
    static Reply Data(Bytes data) { return {true, std::move(data), sw::kOk}; }
    static Reply Unreached() { return {false, {}, 0}; }

    // Data then the two status bytes, as the application receives them.
    Bytes Encoded() const {
        Bytes out = data;
        out.push_back(static_cast<std::uint8_t>(status >> 8));
        out.push_back(static_cast<std::uint8_t>(status & 0xFF));
        return out;
    }
};

// The reply to a failed library call: failures of the link have no status
// word, a read-back that differs is a memory failure, anything the reader or
// card refused an execution error.
Reply FromLibraryStatus(std::int32_t status);

}  // namespace ifd
