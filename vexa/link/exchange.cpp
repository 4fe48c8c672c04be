// SPDX-License-Identifier: MIT
#include "vexa/link/exchange.h"

#include <algorithm>

#include "vexa/link/status.h"

namespace vexa {

namespace {

std::int32_t Send(std::int32_t icdev, std::uint8_t code, std::span<const std::uint8_t> data,
                  bool drop_extra_chunk) {
    if (data.size() > kMaxCommandData) return kLengthError;
    std::array<std::uint8_t, kFrameBuffer> frame{};
    frame[0] = kCommandHead;
    frame[1] = code;
    frame[2] = static_cast<std::uint8_t>(data.size());
    std::copy(data.begin(), data.end(), frame.begin() + 3);
    return SendFrame(icdev, frame.data(), drop_extra_chunk);
}

// An answer without the echo is a refusal even when its word reads 0000: the
// reader did not carry the command out, so the call must not report success
// and go on to use the answer's bytes.
std::int32_t RefusalStatus(const Response& r) {
    const std::int32_t word = r.AnswerWord();
    return word != kOk ? word : kLengthError;
}

}  // namespace

std::int32_t Response::AnswerWord() const {
    const std::size_t len = Len();
    return (frame[len + 1] << 8) | frame[len + 2];
}

std::int32_t Exchange(std::int32_t icdev, std::uint8_t code, std::span<const std::uint8_t> data,
                      Response& out, bool drop_extra_chunk) {
    const std::int32_t st = Send(icdev, code, data, drop_extra_chunk);
    if (st != kOk) return st;
    return ReceiveResponse(icdev, out.frame.data());
}

std::int32_t SendOnly(std::int32_t icdev, std::uint8_t code, std::span<const std::uint8_t> data) {
    return Send(icdev, code, data, false);
}

std::int32_t EchoStatus(std::int32_t transport, const Response& r, std::uint8_t code) {
    if (transport != kOk) return transport;
    return r.Echoes(code) ? kOk : RefusalStatus(r);
}

std::int32_t StatusByteStatus(std::int32_t transport, const Response& r, std::uint8_t code) {
    if (transport != kOk) return transport;
    if (!r.Echoes(code)) return RefusalStatus(r);
    // Without a data byte, Data()[0] would be the frame's check byte.
    if (r.Len() == 0) return kLengthError;
    return r.Data()[0] == 0x90 ? kOk : r.Data()[0];
}

}  // namespace vexa
