// SPDX-License-Identifier: MIT
// Finding out which card is inserted: one test per family, and IC_CheckCard
// trying them in a fixed order. Each test leaves its family selected.
#include <array>

#include "vexa.h"
#include "vexa/cards/probe_24c.h"
#include "vexa/link/build_config.h"
#include "vexa/link/cpu_state.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

constexpr std::array<std::uint8_t, 2> kFlashPattern{'V', 'X'};
constexpr std::int32_t kFlashPage = 2047;

// SLE4442 and SLE4428 cards carry their family in byte 7.
std::int16_t CheckProtectedMemory(std::int32_t icdev, std::uint8_t type, std::uint8_t id) {
    std::int32_t st = IC_Status(icdev);
    if (st != kOk) return Finish(st);
    st = IC_InitType(icdev, type);
    if (st != kOk) return Finish(st);
    std::array<std::uint8_t, 2> bytes{};
    st = IC_Read(icdev, 6, 2, bytes.data());
    if (st != kOk) return Finish(st);
    return Finish(bytes[1] == id ? kOk : kCardTestError);
}

std::int16_t Check24C(std::int32_t icdev, std::int32_t size) {
    const std::int32_t found = Probe_24C(icdev);
    return Finish(found == size ? kOk : found);
}

struct FamilyTest {
    std::int16_t(VEXA_CALL* test)(std::int32_t);
    std::int16_t result;
};

// Tests for families this reader does not serve never match; the reduced
// configuration does not bother calling them.
constexpr FamilyTest kUnservedTests[] = {
    {IC_Check_102, 1},  {IC_Check_1604, 2}, {IC_Check_1604B, 3}, {IC_Check_153, 4},
    {IC_Check_1608, 5}, {IC_Check_4406, 6}, {IC_Check_4404, 7},  {IC_Check_1101, 12},
};
constexpr FamilyTest kMemoryTests[] = {
    {IC_Check_4442, VEXA_FOUND_SLE4442},
    {IC_Check_4428, VEXA_FOUND_SLE4428},
    {IC_Check_45DB041, VEXA_FOUND_45DB041},
};

std::int16_t FirstMatch(std::int32_t icdev) {
    if constexpr (!kReducedBuild) {
        for (const FamilyTest& t : kUnservedTests)
            if (t.test(icdev) == kOk) return t.result;
    }
    for (const FamilyTest& t : kMemoryTests)
        if (t.test(icdev) == kOk) return t.result;
    return 0;
}

// A match leaves 0 in the last-error register, whatever the result says.
std::int16_t Matched(std::int16_t result) {
    SetLastError(kOk);
    return result;
}

std::int16_t DetectionResultOf24CSize(std::int32_t size) {
    switch (size) {
        case VEXA_SIZE_24C01:
            return VEXA_FOUND_24C01;
        case VEXA_SIZE_24C02:
            return VEXA_FOUND_24C02;
        case VEXA_SIZE_24C04:
            return VEXA_FOUND_24C04;
        case VEXA_SIZE_24C08:
            return VEXA_FOUND_24C08;
        case VEXA_SIZE_24C16:
            return VEXA_FOUND_24C16;
        case VEXA_SIZE_24C64:
            return VEXA_FOUND_24C64;
        default:
            return kCardTestError;
    }
}

}  // namespace

}  // namespace vexa

using namespace vexa;

int16_t IC_CheckCard(int32_t icdev) {
    if (IC_Status(icdev) != kOk) return Finish(kCardTestError);
    if (const std::int16_t found = FirstMatch(icdev); found != 0) return Matched(found);
    const std::int16_t cpu = IC_Check_CPU(icdev);
    if (cpu == kProtocolT0 || cpu == kProtocolT1)
        return Matched(cpu == kProtocolT0 ? VEXA_FOUND_CPU_T0 : VEXA_FOUND_CPU_T1);
    IC_Down(icdev);
    const std::int16_t result = DetectionResultOf24CSize(Probe_24C(icdev));
    return result == kCardTestError ? Finish(result) : Matched(result);
}

int16_t IC_Check_4442(int32_t icdev) {
    return CheckProtectedMemory(icdev, kType4442, 0x15);
}

int16_t IC_Check_4428(int32_t icdev) {
    return CheckProtectedMemory(icdev, kType4428, 0x13);
}

int16_t IC_Check_45DB041(int32_t icdev) {
    std::int32_t st = IC_InitType(icdev, kType45DB);
    if (st == kOk) st = IC_Status(icdev);
    std::array<std::uint8_t, 2> kept{};
    std::array<std::uint8_t, 2> back{};
    if (st == kOk) st = IC_DirectRead(icdev, kFlashPage, 0, 2, kept.data());
    if (st != kOk) return Finish(st);
    st = IC_DirectWrite(icdev, kFlashPage, 0, 2, kFlashPattern.data());
    if (st == kOk) st = IC_DirectRead(icdev, kFlashPage, 0, 2, back.data());
    // The kept bytes go back whether or not the pattern held, and also when
    // its write or read-back failed: a card that is not a 45DB041 may still
    // have taken part of it, and a write whose answer was lost took all of it.
    // A write-back that fails gets one more try.
    if (IC_DirectWrite(icdev, kFlashPage, 0, 2, kept.data()) != kOk)
        IC_DirectWrite(icdev, kFlashPage, 0, 2, kept.data());
    if (st != kOk) return Finish(st);
    return Finish(back == kFlashPattern ? kOk : kCardTestError);
}

int16_t IC_Check_CPU(int32_t icdev) {
    IC_InitType(icdev, kTypeCpu);
    unsigned char len = 0;
    std::array<unsigned char, 256> atr{};
    if (IC_CpuReset(icdev, &len, atr.data()) != kOk) return Finish(kCardTestError);
    const std::int16_t protocol = IC_CpuGetProtocol(icdev);
    return protocol == kProtocolT0 || protocol == kProtocolT1 ? Matched(protocol)
                                                              : Finish(kCardTestError);
}

int16_t IC_Check_24C01(int32_t icdev) {
    return Check24C(icdev, VEXA_SIZE_24C01);
}
int16_t IC_Check_24C02(int32_t icdev) {
    return Check24C(icdev, VEXA_SIZE_24C02);
}
int16_t IC_Check_24C04(int32_t icdev) {
    return Check24C(icdev, VEXA_SIZE_24C04);
}
int16_t IC_Check_24C08(int32_t icdev) {
    return Check24C(icdev, VEXA_SIZE_24C08);
}
int16_t IC_Check_24C16(int32_t icdev) {
    return Check24C(icdev, VEXA_SIZE_24C16);
}
int16_t IC_Check_24C64(int32_t icdev) {
    return Check24C(icdev, VEXA_SIZE_24C64);
}
