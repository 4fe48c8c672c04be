// SPDX-License-Identifier: MIT
#include "vexa/link/transport.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "vexa/link/device_table.h"
#include "vexa/link/hid_host.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

constexpr int kReportWaitMs = 15;

std::uint8_t XorOf(const std::uint8_t* bytes, std::size_t n) {
    std::uint8_t x = 0;
    for (std::size_t i = 0; i < n; ++i) x ^= bytes[i];
    return x;
}

}  // namespace

std::int32_t TransmitChunk(std::int32_t icdev, const std::uint8_t* chunk, std::size_t n) {
    if (n > kChunkSize) return kLengthError;
    std::uint8_t report[kReportSize] = {};
    std::memcpy(report + 1, chunk, n);
    HidHost& host = CurrentHidHost();
    const Handle h = HandleOf(icdev);
    if (h == 0 || !host.SetFeature(h, report)) return kSendFailed;
    host.SleepMs(kReportWaitMs);
    return kOk;
}

std::int32_t ReceiveChunk(std::int32_t icdev, std::uint8_t* dest, std::size_t n) {
    if (n > kChunkSize) return kLengthError;
    std::uint8_t report[kReportSize] = {};
    HidHost& host = CurrentHidHost();
    const Handle h = HandleOf(icdev);
    if (h == 0 || !host.GetFeature(h, report)) return kReceiveFailed;
    std::memcpy(dest, report + 1, n);
    host.SleepMs(kReportWaitMs);
    return kOk;
}

std::int32_t SendFrame(std::int32_t icdev, std::uint8_t* frame, bool drop_extra_chunk) {
    const std::size_t len = frame[2];
    if (len > kMaxCommandData) return kLengthError;
    const std::size_t n = len + 4;
    frame[n - 1] = XorOf(frame, n - 1);
    std::size_t chunks = n / kChunkSize + 1;
    if (drop_extra_chunk && n == 2 * kChunkSize) chunks = 2;
    for (std::size_t k = 0; k < chunks; ++k) {
        const std::int32_t st = TransmitChunk(icdev, frame + k * kChunkSize, kChunkSize);
        if (st != kOk) return st;
    }
    return kOk;
}

std::int32_t ReceiveResponse(std::int32_t icdev, std::uint8_t* out) {
    std::array<std::uint8_t, kFrameBuffer> buf{};
    std::int32_t st = ReceiveChunk(icdev, buf.data(), kChunkSize);
    if (st != kOk) return st;
    if (buf[0] != kResponseHead) return kLengthError;
    const std::size_t n = std::size_t{buf[2]} + 4;
    const std::size_t more = n / kChunkSize;
    for (std::size_t k = 1; k <= more; ++k) {
        st = ReceiveChunk(icdev, buf.data() + k * kChunkSize, kChunkSize);
        if (st != kOk) return st;
    }
    if (XorOf(buf.data(), n) != 0) return kChecksumError;
    std::copy_n(buf.begin(), n, out);
    return kOk;
}

}  // namespace vexa
