// SPDX-License-Identifier: MIT
// Resetting a CPU or module card: the ATR, and the protocol it offers.
#include <algorithm>

#include "vexa.h"
#include "vexa/link/atr.h"
#include "vexa/link/counted_hex.h"
#include "vexa/link/cpu_state.h"
#include "vexa/link/exchange.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

constexpr std::uint8_t kResetCpu = 0xA3;
constexpr std::uint8_t kResetModule = 0xA8;
constexpr std::size_t kAtrArea = 256;

std::int32_t ResetCard(std::int32_t icdev, std::uint8_t* atr_len, std::uint8_t* atr) {
    if (atr_len == nullptr || atr == nullptr) return kLengthError;
    const std::uint8_t code = CodeForSelectedType(kResetCpu, kResetModule);
    Response r;
    const std::int32_t st = EchoStatus(Exchange(icdev, code, {}, r), r, code);
    if (st != kOk) return st;
    const auto received = r.Payload();
    std::copy(received.begin(), received.end(), atr);
    *atr_len = r.Len();
    CpuState& cpu = OwnCpuState(icdev);
    cpu.send_sequence = 0x00;
    cpu.protocol = ProtocolOfAtr(received);
    return kOk;
}

}  // namespace

}  // namespace vexa

using namespace vexa;

int16_t IC_CpuReset(int32_t icdev, unsigned char* atr_len, unsigned char* atr) {
    return Finish(ResetCard(icdev, atr_len, atr));
}

int16_t IC_CpuReset_Hex(int32_t icdev, unsigned char* atr_len, char* atr) {
    return WithCountedHexOutput<kAtrArea>(atr_len, atr, [&](std::uint8_t* len, std::uint8_t* raw) {
        return IC_CpuReset(icdev, len, raw);
    });
}

// The reader has a single reset command: cold and hot reset are the same.
int16_t IC_CpuColdReset(int32_t icdev, unsigned char* atr_len, unsigned char* atr) {
    return IC_CpuReset(icdev, atr_len, atr);
}

int16_t IC_CpuHotReset(int32_t icdev, unsigned char* atr_len, unsigned char* atr) {
    return IC_CpuReset(icdev, atr_len, atr);
}

int16_t IC_CpuColdReset_Hex(int32_t icdev, unsigned char* atr_len, char* atr) {
    return IC_CpuReset_Hex(icdev, atr_len, atr);
}

int16_t IC_CpuHotReset_Hex(int32_t icdev, unsigned char* atr_len, char* atr) {
    return IC_CpuReset_Hex(icdev, atr_len, atr);
}
