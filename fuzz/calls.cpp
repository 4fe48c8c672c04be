// SPDX-License-Identifier: MIT
#include "fuzz/calls.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "vexa.h"

namespace fuzz {

namespace {

// Byte counts as the calls read their slots: 16 or 8 low bits, negative
// lengths owning no buffer at all.
std::int16_t Low16(std::int32_t v) {
    return static_cast<std::int16_t>(v);
}
std::size_t L16(std::int32_t v) {
    const auto n = Low16(v);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}
std::size_t L8(std::int32_t v) {
    return static_cast<std::uint8_t>(v);
}

// A heap buffer of exactly n bytes, filled with a pattern that is both
// arbitrary card data and hexadecimal text.
class Buffer {
  public:
    explicit Buffer(std::size_t n, bool null = false) : bytes_(n, 'A'), null_(null) {}
    Buffer(std::size_t n, const CallArgs& args) : Buffer(n, args.null_buffers) {}
    unsigned char* u() { return null_ ? nullptr : bytes_.data(); }
    char* c() { return reinterpret_cast<char*>(u()); }

  private:
    std::vector<unsigned char> bytes_;
    bool null_;
};

// An APDU of Low8(slen) bytes whose fifth byte (Lc or Le) is Low8(p3).
Buffer Apdu(std::int32_t slen, std::int32_t p3, const CallArgs& args) {
    Buffer apdu(L8(slen), args);
    if (L8(slen) > 4 && apdu.u() != nullptr) apdu.u()[4] = static_cast<std::uint8_t>(p3);
    return apdu;
}

using A = const CallArgs&;

std::int16_t CpuSession(std::int32_t d, A x) {
    Buffer len(1), atr(255), rlen(1), response(255);
    const std::int16_t st = IC_CpuReset(d, len.u(), atr.u());
    if (st != 0) return st;
    const unsigned char challenge[] = {0x00, 0x84, 0x00, 0x00, 0x08};
    for (int i = 0; i < 1 + (x.d & 3); ++i) {
        const std::int16_t a = IC_CpuApdu(d, sizeof challenge, challenge, rlen.u(), response.u());
        if (a != 0) return a;
    }
    return 0;
}

constexpr unsigned kCodes = kDevice | kMemory;  // protection and security reads

const Call kCalls[] = {
    // Connection, messages, converters, selection.
    {"IC_InitComm", kDevice,
     [](std::int32_t, A x) { return static_cast<std::int16_t>(IC_InitComm(x.a)); }},
    {"IC_ExitComm", kDevice, [](std::int32_t, A x) { return IC_ExitComm(x.a); }},
    {"IC_GetLastError", kDevice,
     [](std::int32_t, A) {
         Buffer t(21);
         return IC_GetLastError(t.c());
     }},
    {"asc2hex", kDevice,
     [](std::int32_t, A x) {
         Buffer b(L16(x.c), x), t(2 * L16(x.c), x);
         return asc2hex(b.u(), t.c(), x.c);
     }},
    {"hex2asc", kDevice,
     [](std::int32_t, A x) {
         Buffer t(2 * L16(x.c), x), b(L16(x.c), x);
         return hex2asc(t.c(), b.u(), x.c);
     }},
    {"IC_InitType", kDevice, [](std::int32_t d, A x) { return IC_InitType(d, x.a); }},
    // The reader's own commands.
    {"IC_Status", kDevice, [](std::int32_t d, A) { return IC_Status(d); }},
    {"IC_Down", kDevice, [](std::int32_t d, A) { return IC_Down(d); }},
    {"IC_ReadVer", kDevice,
     [](std::int32_t d, A) {
         Buffer v(511);
         return IC_ReadVer(d, v.c());
     }},
    {"IC_ReadDevSnr", kDevice,
     [](std::int32_t d, A) {
         Buffer s(33);
         return IC_ReadDevSnr(d, s.c());
     }},
    {"IC_ReadDevSnr_Hex", kDevice,
     [](std::int32_t d, A) {
         Buffer s(65);
         return IC_ReadDevSnr_Hex(d, s.c());
     }},
    {"IC_ReadDevice", kMemory,
     [](std::int32_t d, A x) {
         Buffer o(L16(x.b), x);
         return IC_ReadDevice(d, x.a, x.b, o.u());
     }},
    {"IC_WriteDevice", kMemory,
     [](std::int32_t d, A x) {
         Buffer i(L16(x.b), x);
         return IC_WriteDevice(d, x.a, x.b, i.u());
     }},
    {"IC_ReadDevice_Hex", kMemory,
     [](std::int32_t d, A x) {
         Buffer t(2 * L16(x.b), x);
         return IC_ReadDevice_Hex(d, x.a, x.b, t.c());
     }},
    {"IC_WriteDevice_Hex", kMemory,
     [](std::int32_t d, A x) {
         Buffer t(2 * L16(x.b), x);
         return IC_WriteDevice_Hex(d, x.a, x.b, t.c());
     }},
    // CPU and module cards.
    {"IC_CpuReset", kCpu,
     [](std::int32_t d, A) {
         Buffer n(1), atr(255);
         return IC_CpuReset(d, n.u(), atr.u());
     }},
    {"IC_CpuReset_Hex", kCpu,
     [](std::int32_t d, A) {
         Buffer n(1), atr(510);
         return IC_CpuReset_Hex(d, n.u(), atr.c());
     }},
    {"IC_CpuApdu", kCpu,
     [](std::int32_t d, A x) {
         Buffer c = Apdu(x.a, x.b, x), n(1), r(255);
         return IC_CpuApdu(d, x.a, c.u(), n.u(), r.u());
     }},
    {"IC_CpuApdu_Hex", kCpu,
     [](std::int32_t d, A x) {
         Buffer c(2 * L16(x.a), x), n(1), r(510);
         return IC_CpuApdu_Hex(d, x.a, c.c(), n.u(), r.c());
     }},
    {"CpuSession", kCpu, CpuSession},
    {"IC_CpuGetProtocol", kCpu, [](std::int32_t d, A) { return IC_CpuGetProtocol(d); }},
    {"IC_SetCpuPara", kCpu | kDevice,
     [](std::int32_t d, A x) { return IC_SetCpuPara(d, x.a, x.b, x.c); }},
    // Single serial memory commands.
    {"Read_24C", kDevice,
     [](std::int32_t d, A x) {
         Buffer o(L8(x.b), x);
         return Read_24C(d, x.a, x.b, o.u());
     }},
    {"Write_24C", kDevice,
     [](std::int32_t d, A x) {
         Buffer i(L16(x.b), x);
         return Write_24C(d, x.a, x.b, i.u());
     }},
    {"Read_45DB041", kDevice,
     [](std::int32_t d, A x) {
         Buffer o(L8(x.c), x);
         return Read_45DB041(d, x.a, x.b, x.c, o.u());
     }},
    {"Write_45DB041", kDevice,
     [](std::int32_t d, A x) {
         Buffer i(L16(x.c), x);
         return Write_45DB041(d, x.a, x.b, x.c, i.u());
     }},
    // Multi-command memory access.
    {"IC_Read", kMemory,
     [](std::int32_t d, A x) {
         Buffer o(L16(x.b), x);
         return IC_Read(d, x.a, x.b, o.u());
     }},
    {"IC_Write", kMemory,
     [](std::int32_t d, A x) {
         Buffer i(L16(x.b), x);
         return IC_Write(d, x.a, x.b, i.u());
     }},
    {"IC_Write24", kMemory,
     [](std::int32_t d, A x) {
         Buffer i(L16(x.b), x);
         return IC_Write24(d, x.a, x.b, i.u());
     }},
    {"IC_Write64", kMemory,
     [](std::int32_t d, A x) {
         Buffer i(L16(x.b), x);
         return IC_Write64(d, x.a, x.b, i.u());
     }},
    {"IC_DirectRead", kMemory,
     [](std::int32_t d, A x) {
         Buffer o(L16(x.c), x);
         return IC_DirectRead(d, x.a, x.b, x.c, o.u());
     }},
    {"IC_DirectWrite", kMemory,
     [](std::int32_t d, A x) {
         Buffer i(L16(x.c), x);
         return IC_DirectWrite(d, x.a, x.b, x.c, i.u());
     }},
    {"IC_Read_Hex", kMemory,
     [](std::int32_t d, A x) {
         Buffer t(2 * L16(x.b), x);
         return IC_Read_Hex(d, x.a, x.b, t.c());
     }},
    {"IC_Write_Hex", kMemory,
     [](std::int32_t d, A x) {
         Buffer t(2 * L16(x.b), x);
         return IC_Write_Hex(d, x.a, x.b, t.c());
     }},
    {"IC_Write24_Hex", kMemory,
     [](std::int32_t d, A x) {
         Buffer t(2 * L16(x.b), x);
         return IC_Write24_Hex(d, x.a, x.b, t.c());
     }},
    {"IC_Write64_Hex", kMemory,
     [](std::int32_t d, A x) {
         Buffer t(2 * L16(x.b), x);
         return IC_Write64_Hex(d, x.a, x.b, t.c());
     }},
    {"IC_DirectRead_Hex", kMemory,
     [](std::int32_t d, A x) {
         Buffer t(2 * L16(x.c), x);
         return IC_DirectRead_Hex(d, x.a, x.b, x.c, t.c());
     }},
    {"IC_DirectWrite_Hex", kMemory,
     [](std::int32_t d, A x) {
         Buffer t(2 * L16(x.c), x);
         return IC_DirectWrite_Hex(d, x.a, x.b, x.c, t.c());
     }},
    // SLE4442.
    {"Read_4442", kDevice,
     [](std::int32_t d, A x) {
         Buffer o(L8(x.b), x);
         return Read_4442(d, x.a, x.b, o.u());
     }},
    {"Write_4442", kDevice,
     [](std::int32_t d, A x) {
         Buffer i(L16(x.b), x);
         return Write_4442(d, x.a, x.b, i.u());
     }},
    {"VerifyPin_4442", kCodes,
     [](std::int32_t d, A) {
         Buffer c(3);
         return VerifyPin_4442(d, c.u());
     }},
    {"ReadWithProtection_4442", kCodes,
     [](std::int32_t d, A x) {
         Buffer o(L8(x.b), x);
         return ReadWithProtection_4442(d, x.a, x.b, o.u());
     }},
    {"WriteWithProtection_4442", kDevice,
     [](std::int32_t d, A x) {
         Buffer i(L8(x.b), x);
         return WriteWithProtection_4442(d, x.a, x.b, i.u());
     }},
    {"ReadPass_4442", kCodes,
     [](std::int32_t d, A) {
         Buffer o(4);
         return ReadPass_4442(d, o.u());
     }},
    {"WritePass_4442", kDevice,
     [](std::int32_t d, A) {
         Buffer c(3);
         return WritePass_4442(d, c.u());
     }},
    {"IC_CheckPass_SLE4442", kCodes,
     [](std::int32_t d, A) {
         Buffer c(3);
         return IC_CheckPass_SLE4442(d, c.u());
     }},
    {"IC_ChangePass_SLE4442", kDevice,
     [](std::int32_t d, A) {
         Buffer c(3);
         return IC_ChangePass_SLE4442(d, c.u());
     }},
    {"IC_ReadPass_SLE4442", kCodes,
     [](std::int32_t d, A) {
         Buffer c(3);
         return IC_ReadPass_SLE4442(d, c.u());
     }},
    {"IC_ReadCount_SLE4442", kCodes, [](std::int32_t d, A) { return IC_ReadCount_SLE4442(d); }},
    {"IC_CheckPass_4442hex", kCodes,
     [](std::int32_t d, A) {
         Buffer c(6);
         return IC_CheckPass_4442hex(d, c.c());
     }},
    {"IC_ChangePass_4442hex", kDevice,
     [](std::int32_t d, A) {
         Buffer c(6);
         return IC_ChangePass_4442hex(d, c.c());
     }},
    {"IC_ReadPass_4442hex", kCodes,
     [](std::int32_t d, A) {
         Buffer c(6);
         return IC_ReadPass_4442hex(d, c.c());
     }},
    // SLE4428.
    {"Read_4428", kDevice,
     [](std::int32_t d, A x) {
         Buffer o(L8(x.b), x);
         return Read_4428(d, x.a, x.b, o.u());
     }},
    {"Write_4428", kDevice,
     [](std::int32_t d, A x) {
         Buffer i(L16(x.b), x);
         return Write_4428(d, x.a, x.b, i.u());
     }},
    {"VerifyPin_4428", kCodes,
     [](std::int32_t d, A) {
         Buffer c(2);
         return VerifyPin_4428(d, c.u());
     }},
    {"ReadWithProtection_4428", kCodes,
     [](std::int32_t d, A x) {
         Buffer o(2 * L8(x.b), x);
         return ReadWithProtection_4428(d, x.a, x.b, o.u());
     }},
    {"WriteWithProtection_4428", kDevice,
     [](std::int32_t d, A x) {
         Buffer i(L16(x.b), x);
         return WriteWithProtection_4428(d, x.a, x.b, i.u());
     }},
    {"IC_CheckPass_SLE4428", kCodes,
     [](std::int32_t d, A) {
         Buffer c(2);
         return IC_CheckPass_SLE4428(d, c.u());
     }},
    {"IC_CheckPass_4428hex", kCodes,
     [](std::int32_t d, A) {
         Buffer c(4);
         return IC_CheckPass_4428hex(d, c.c());
     }},
    {"IC_ReadCount_SLE4428", kCodes, [](std::int32_t d, A) { return IC_ReadCount_SLE4428(d); }},
    {"IC_ChangePass_SLE4428", kMemory,
     [](std::int32_t d, A) {
         Buffer c(2);
         return IC_ChangePass_SLE4428(d, c.u());
     }},
    {"IC_ChangePass_4428hex", kMemory,
     [](std::int32_t d, A) {
         Buffer c(4);
         return IC_ChangePass_4428hex(d, c.c());
     }},
    // Protection entry points of whichever family is selected.
    {"IC_ReadProtection", kMemory,
     [](std::int32_t d, A x) {
         Buffer o(L8(x.b), x);
         return IC_ReadProtection(d, x.a, x.b, o.u());
     }},
    {"IC_WriteProtection", kMemory,
     [](std::int32_t d, A x) {
         Buffer i(L8(x.b), x);
         return IC_WriteProtection(d, x.a, x.b, i.u());
     }},
    {"IC_ReadWithProtection", kMemory,
     [](std::int32_t d, A x) {
         Buffer o(2 * L16(x.b), x);
         return IC_ReadWithProtection(d, x.a, x.b, o.u());
     }},
    {"IC_WriteWithProtection", kMemory,
     [](std::int32_t d, A x) {
         Buffer i(L16(x.b), x);
         return IC_WriteWithProtection(d, x.a, x.b, i.u());
     }},
    {"IC_ReadProtection_Hex", kMemory,
     [](std::int32_t d, A x) {
         Buffer t(2 * L8(x.b), x);
         return IC_ReadProtection_Hex(d, x.a, x.b, t.c());
     }},
    {"IC_WriteProtection_Hex", kMemory,
     [](std::int32_t d, A x) {
         Buffer t(2 * L8(x.b), x);
         return IC_WriteProtection_Hex(d, x.a, x.b, t.c());
     }},
    {"IC_ReadWithProtection_Hex", kMemory,
     [](std::int32_t d, A x) {
         Buffer t(4 * L16(x.b), x);
         return IC_ReadWithProtection_Hex(d, x.a, x.b, t.c());
     }},
    {"IC_WriteWithProtection_Hex", kMemory,
     [](std::int32_t d, A x) {
         Buffer t(2 * L16(x.b), x);
         return IC_WriteWithProtection_Hex(d, x.a, x.b, t.c());
     }},
    // Detection.
    {"IC_CheckCard", kDetection, [](std::int32_t d, A) { return IC_CheckCard(d); }},
    {"IC_Check_4442", kDetection, [](std::int32_t d, A) { return IC_Check_4442(d); }},
    {"IC_Check_4428", kDetection, [](std::int32_t d, A) { return IC_Check_4428(d); }},
    {"IC_Check_45DB041", kDetection, [](std::int32_t d, A) { return IC_Check_45DB041(d); }},
    {"IC_Check_CPU", kDetection, [](std::int32_t d, A) { return IC_Check_CPU(d); }},
    {"IC_Check_24C01", kDetection, [](std::int32_t d, A) { return IC_Check_24C01(d); }},
    {"IC_Check_24C02", kDetection, [](std::int32_t d, A) { return IC_Check_24C02(d); }},
    {"IC_Check_24C04", kDetection, [](std::int32_t d, A) { return IC_Check_24C04(d); }},
    {"IC_Check_24C08", kDetection, [](std::int32_t d, A) { return IC_Check_24C08(d); }},
    {"IC_Check_24C16", kDetection, [](std::int32_t d, A) { return IC_Check_24C16(d); }},
    {"IC_Check_24C64", kDetection, [](std::int32_t d, A) { return IC_Check_24C64(d); }},
    // Later additions stay at the end, so that the corpus keeps naming the
    // same calls.
    {"IC_CpuColdReset", kCpu,
     [](std::int32_t d, A) {
         Buffer n(1), atr(255);
         return IC_CpuColdReset(d, n.u(), atr.u());
     }},
    {"IC_CpuHotReset", kCpu,
     [](std::int32_t d, A) {
         Buffer n(1), atr(255);
         return IC_CpuHotReset(d, n.u(), atr.u());
     }},
    {"IC_CpuColdReset_Hex", kCpu,
     [](std::int32_t d, A) {
         Buffer n(1), atr(510);
         return IC_CpuColdReset_Hex(d, n.u(), atr.c());
     }},
    {"IC_CpuHotReset_Hex", kCpu,
     [](std::int32_t d, A) {
         Buffer n(1), atr(510);
         return IC_CpuHotReset_Hex(d, n.u(), atr.c());
     }},
    {"IC_InitComm_Baud", kDevice,
     [](std::int32_t, A x) { return static_cast<std::int16_t>(IC_InitComm_Baud(x.a, x.b)); }},
    {"IC_InitComm_Q", kDevice,
     [](std::int32_t, A x) { return static_cast<std::int16_t>(IC_InitComm_Q(x.a, x.b)); }},
    {"IC_InitCommAdvanced", kDevice,
     [](std::int32_t, A x) { return static_cast<std::int16_t>(IC_InitCommAdvanced(x.a)); }},
    {"IC_Beep", kDevice, [](std::int32_t d, A x) { return IC_Beep(d, x.a, x.b); }},
    {"IC_DevBeep", kDevice, [](std::int32_t d, A x) { return IC_DevBeep(d, x.a); }},
    {"IC_ListReaders", kDevice,
     [](std::int32_t, A x) {
         // Negative capacities as they come, positive ones a few entries long.
         const auto capacity = static_cast<std::int16_t>(std::min(static_cast<int>(Low16(x.a)), 4));
         Buffer list(L16(capacity) * sizeof(VexaReaderInfo), x);
         return IC_ListReaders(reinterpret_cast<VexaReaderInfo*>(list.u()), capacity);
     }},
    {"IC_InitCommPath", kDevice,
     [](std::int32_t, A x) {
         // A string of up to 299 bytes, longer than any path the library takes.
         const std::size_t n = L16(x.b) % 300;
         Buffer path(n + 1, x);
         if (path.u() != nullptr) path.u()[n] = 0;
         return static_cast<std::int16_t>(IC_InitCommPath(x.a, path.c()));
     }},
};

}  // namespace

std::span<const Call> AllCalls() {
    return kCalls;
}

void ReadLastError() {
    Buffer text(21);
    IC_GetLastError(text.c());
}

}  // namespace fuzz
