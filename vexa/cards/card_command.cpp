// SPDX-License-Identifier: MIT
#include "vexa/cards/card_command.h"

#include <algorithm>
#include <array>

#include "vexa/link/status.h"

namespace vexa {

std::int32_t EchoedExchange(std::int32_t icdev, std::uint8_t code,
                            std::span<const std::uint8_t> data, Response& r) {
    return EchoStatus(Exchange(icdev, code, data, r), r, code);
}

std::int32_t SendCode(std::int32_t icdev, std::uint8_t command, const std::uint8_t* code,
                      std::size_t size) {
    if (code == nullptr) return kLengthError;
    Response r;
    return EchoedExchange(icdev, command, std::span(code, size), r);
}

std::int32_t SendWithData(std::int32_t icdev, std::uint8_t code,
                          std::span<const std::uint8_t> header, const std::uint8_t* data,
                          std::int32_t count, bool drop_extra_chunk) {
    if (count < 0 || (count > 0 && data == nullptr)) return kLengthError;
    const std::size_t n = static_cast<std::size_t>(count);
    if (header.size() + n > kMaxCommandData) return kLengthError;
    std::array<std::uint8_t, kMaxCommandData> frame_data{};
    std::copy(header.begin(), header.end(), frame_data.begin());
    std::copy_n(data, n, frame_data.begin() + header.size());
    Response r;
    const std::span<const std::uint8_t> sent(frame_data.data(), header.size() + n);
    return EchoStatus(Exchange(icdev, code, sent, r, drop_extra_chunk), r, code);
}

std::int32_t ReadInto(std::int32_t icdev, std::uint8_t code, std::span<const std::uint8_t> request,
                      std::uint8_t* out, std::size_t count) {
    if (count > 0 && out == nullptr) return kLengthError;
    Response r;
    const std::int32_t st = EchoedExchange(icdev, code, request, r);
    if (st != kOk) return st;
    // More bytes than asked for would not fit the caller's buffer; fewer would
    // leave part of it stale while reporting success.
    if (r.Len() < count) return kLengthError;
    std::copy_n(r.Data(), count, out);
    return kOk;
}

std::int32_t ExactLength(const Response& r, std::size_t expected) {
    if (r.Len() == expected) return kOk;
    return r.Len() == 0 ? kLengthError : r.Len();
}

}  // namespace vexa
