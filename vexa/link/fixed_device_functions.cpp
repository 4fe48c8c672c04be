// SPDX-License-Identifier: MIT
// Device functions this reader has no hardware for. They answer at once,
// without reader traffic, and leave the last-error register as it was.
#include "vexa.h"
#include "vexa/link/build_config.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

// The serial-number calls only terminate an empty text at these offsets.
constexpr int kSnrEnd = 32;
constexpr int kSnrHexEnd = 64;

std::int16_t NoBeeper() {
    if constexpr (kReducedBuild) return Finish(kNotSupported);
    return kOk;
}

}  // namespace

}  // namespace vexa

using namespace vexa;

int16_t IC_Beep(int32_t /*icdev*/, int32_t /*unused1*/, int32_t /*unused2*/) {
    return NoBeeper();
}

int16_t IC_DevBeep(int32_t /*icdev*/, int32_t /*unused*/) {
    return NoBeeper();
}

int16_t IC_ReadDevSnr(int32_t /*icdev*/, char* snr) {
    if (snr != nullptr) snr[kSnrEnd] = '\0';
    return kOk;
}

int16_t IC_ReadDevSnr_Hex(int32_t /*icdev*/, char* snr) {
    if (snr != nullptr) snr[kSnrHexEnd] = '\0';
    return static_cast<int16_t>(LastError());
}
