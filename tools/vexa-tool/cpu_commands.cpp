// SPDX-License-Identifier: MIT
// Microprocessor and SAM card commands.
#include <cstdio>

#include "tools/vexa-tool/commands_common.h"
#include "tools/vexa-tool/text.h"
#include "vexa.h"

namespace tool {

namespace {

int Reset(Session& s, const Args&) {
    unsigned char len = 0;
    unsigned char atr[256] = {};
    const int st = IC_CpuReset(s.icdev, &len, atr);
    if (st != 0) return st;
    std::printf("ATR %s  (T=%d)\n", ToHex(atr, len).c_str(), IC_CpuGetProtocol(s.icdev));
    return 0;
}

int Apdu(Session& s, const Args& a) {
    const auto apdu = Bytes(a[0]);
    if (apdu.size() > 255) throw UsageError("an APDU is at most 255 bytes");
    unsigned char len = 0;
    unsigned char response[256] = {};
    const int st =
        IC_CpuApdu(s.icdev, static_cast<int32_t>(apdu.size()), apdu.data(), &len, response);
    if (st == 0) std::printf("%s\n", ToHex(response, len).c_str());
    return st;
}

}  // namespace

void AddCpuCommands(std::vector<Command>& out) {
    out.insert(out.end(),
               {
                   {"reset", 0, "reset", "reset the CPU/SAM card and show its ATR", Reset},
                   {"apdu", 1, "apdu HEX", "send a command APDU, show the response", Apdu},
               });
}

}  // namespace tool
