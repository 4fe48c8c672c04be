// SPDX-License-Identifier: MIT
// Choosing and querying the CPU card transmission protocol.
#include <array>

#include "vexa.h"
#include "vexa/link/cpu_state.h"
#include "vexa/link/exchange.h"
#include "vexa/link/status.h"

using namespace vexa;

// Callers ask without a device number that counts, so they get the protocol
// of the reader whose state changed last.
int16_t IC_CpuGetProtocol(int32_t /*icdev*/) {
    Finish(kOk);
    return CurrentCpuState().protocol;
}

int16_t IC_SetCpuPara(int32_t icdev, int32_t type, int32_t protocol, int32_t parameter) {
    // The type is taken even if the reader refuses the protocol.
    CurrentSelection().card_type = Low8(type);
    const std::array<std::uint8_t, 2> data{Low8(protocol), Low8(parameter)};
    Response r;
    const std::int32_t st =
        StatusByteStatus(Exchange(icdev, kSelectCommand, data, r), r, kSelectCommand);
    if (st == kOk) OwnCpuState(icdev).protocol = Low8(protocol);
    return Finish(st);
}
