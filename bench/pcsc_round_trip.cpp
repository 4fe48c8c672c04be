// SPDX-License-Identifier: MIT
// Round trips of one APDU through pcscd and the PC/SC driver against the
// same exchange as a direct library call, each timed 1000 times; prints the
// medians. bench/pcsc_round_trip.sh runs it beside a pcscd on the simulated
// reader, both holding the card VEXA_SIM_CARD names.
//
//   pcsc_round_trip cpu       GET CHALLENGE to a CPU card (IC_CpuApdu)
//   pcsc_round_trip sle4442   FF B0 00 00 10 (IC_Read of 16 bytes)
#include <winscard.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "vexa.h"

namespace {

constexpr int kRounds = 1000;

double MedianMicroseconds(const std::function<bool()>& round) {
    std::vector<double> times;
    for (int i = 0; i < kRounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (!round()) return -1;
        times.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::nth_element(times.begin(), times.begin() + kRounds / 2, times.end());
    return times[kRounds / 2];
}

struct Exchange {
    std::vector<unsigned char> apdu;
    std::function<bool(int32_t icdev)> prepare;
    std::function<bool(int32_t icdev)> direct;
};

Exchange ExchangeFor(const std::string& card) {
    if (card == "cpu") {
        return {{0x00, 0x84, 0x00, 0x00, 0x08},
                [](int32_t icdev) {
                    unsigned char len = 0, atr[256];
                    return IC_InitType(icdev, VEXA_TYPE_CPU) == 0 &&
                           IC_CpuReset(icdev, &len, atr) == 0;
                },
                [](int32_t icdev) {
                    const unsigned char apdu[] = {0x00, 0x84, 0x00, 0x00, 0x08};
                    unsigned char len = 0, answer[256];
                    return IC_CpuApdu(icdev, sizeof apdu, apdu, &len, answer) == 0;
                }};
    }
    return {{0xFF, 0xB0, 0x00, 0x00, 0x10},
            [](int32_t icdev) { return IC_InitType(icdev, VEXA_TYPE_SLE4442) == 0; },
            [](int32_t icdev) {
                unsigned char data[16];
                return IC_Read(icdev, 0, sizeof data, data) == 0;
            }};
}

double ThroughPcscd(const std::vector<unsigned char>& apdu) {
    SCARDCONTEXT context = 0;
    if (SCardEstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &context) != SCARD_S_SUCCESS)
        return -1;
    char readers[1024];
    DWORD readers_length = sizeof readers;
    SCARDHANDLE card = 0;
    DWORD protocol = 0;
    double median = -1;
    if (SCardListReaders(context, nullptr, readers, &readers_length) == SCARD_S_SUCCESS &&
        SCardConnect(context, readers, SCARD_SHARE_SHARED, SCARD_PROTOCOL_T0 | SCARD_PROTOCOL_T1,
                     &card, &protocol) == SCARD_S_SUCCESS) {
        const SCARD_IO_REQUEST* pci = protocol == SCARD_PROTOCOL_T1 ? SCARD_PCI_T1 : SCARD_PCI_T0;
        median = MedianMicroseconds([&] {
            unsigned char answer[258];
            DWORD length = sizeof answer;
            return SCardTransmit(card, pci, apdu.data(), apdu.size(), nullptr, answer, &length) ==
                       SCARD_S_SUCCESS &&
                   length >= 2 && answer[length - 2] == 0x90;
        });
        SCardDisconnect(card, SCARD_LEAVE_CARD);
    }
    SCardReleaseContext(context);
    return median;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string card = argc > 1 ? argv[1] : "cpu";
    const Exchange exchange = ExchangeFor(card);
    const int32_t icdev = IC_InitComm(100);
    if (icdev < 0 || !exchange.prepare(icdev)) {
        std::fprintf(stderr, "the simulated reader did not open\n");
        return 1;
    }
    const double direct = MedianMicroseconds([&] { return exchange.direct(icdev); });
    IC_ExitComm(icdev);
    const double pcscd = ThroughPcscd(exchange.apdu);
    if (direct < 0 || pcscd < 0) {
        std::fprintf(stderr, "an exchange failed\n");
        return 1;
    }
    std::printf("%-8s median of %d: library %.1f us, through pcscd %.1f us, pcscd adds %.1f us\n",
                card.c_str(), kRounds, direct, pcscd, pcscd - direct);
    return 0;
}
