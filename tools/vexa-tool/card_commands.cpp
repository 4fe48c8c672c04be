// SPDX-License-Identifier: MIT
// Memory, protection and security-code commands.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/vexa-tool/commands_common.h"
#include "tools/vexa-tool/text.h"
#include "vexa.h"

namespace tool {

namespace {

int Read(Session& s, const Args& a) {
    const long offset = Number(a[0]);
    return ReadAndDump(offset, a[1], [&](int32_t n, std::uint8_t* out) {
        return IC_Read(s.icdev, offset, n, out);
    });
}

int Write(Session& s, const Args& a) {
    const auto data = Bytes(a[1]);
    return IC_Write(s.icdev, Number(a[0]), static_cast<int32_t>(data.size()), data.data());
}

int FlashRead(Session& s, const Args& a) {
    const long page = Number(a[0]);
    const long offset = Number(a[1]);
    return ReadAndDump(offset, a[2], [&](int32_t n, std::uint8_t* out) {
        return IC_DirectRead(s.icdev, page, offset, n, out);
    });
}

int FlashWrite(Session& s, const Args& a) {
    const auto data = Bytes(a[2]);
    return IC_DirectWrite(s.icdev, Number(a[0]), Number(a[1]), static_cast<int32_t>(data.size()),
                          data.data());
}

// One line per byte: address, value, and whether the card protects it.
void PrintProtection(long offset, const std::vector<std::uint8_t>& flags,
                     const std::vector<std::uint8_t>& values) {
    for (std::size_t i = 0; i < flags.size(); ++i) {
        std::printf("%5ld", offset + static_cast<long>(i));
        if (!values.empty()) std::printf("  %02X", values[i]);
        std::printf("  %s\n", flags[i] ? "protected" : "writable");
    }
}

int Protection(Session& s, const Args& a) {
    const long offset = Number(a[0]);
    const std::size_t n = Count(a[1]);
    if (s.card_type == VEXA_TYPE_SLE4428) {
        std::vector<std::uint8_t> buf(2 * n);
        const int st = IC_ReadWithProtection(s.icdev, offset, static_cast<int32_t>(n), buf.data());
        if (st != 0) return st;
        std::vector<std::uint8_t> flags(n);
        for (std::size_t i = 0; i < n; ++i) flags[i] = buf[n + i] == '1';
        PrintProtection(offset, flags, {buf.begin(), buf.begin() + static_cast<long>(n)});
        return 0;
    }
    // SLE4442 protection bits: 1 = writable, as the card stores them.
    std::vector<std::uint8_t> bits(n);
    const int st = IC_ReadProtection(s.icdev, offset, static_cast<int32_t>(n), bits.data());
    if (st != 0) return st;
    for (auto& b : bits) b = b == 0;
    PrintProtection(offset, bits, {});
    return 0;
}

int Protect(Session& s, const Args& a) {
    const auto data = Bytes(a[1]);
    const auto n = static_cast<int32_t>(data.size());
    if (s.card_type == VEXA_TYPE_SLE4428)
        return IC_WriteWithProtection(s.icdev, Number(a[0]), n, data.data());
    return IC_WriteProtection(s.icdev, Number(a[0]), n, data.data());
}

int Verify(Session& s, const Args& a) {
    const auto code = CodeBytes(a[0]);
    const int st = code.size() == 3 ? IC_CheckPass_SLE4442(s.icdev, code.data())
                                    : IC_CheckPass_SLE4428(s.icdev, code.data());
    if (st == 0) std::puts("code accepted");
    return st;
}

int ChangeCode(Session& s, const Args& a) {
    const auto code = CodeBytes(a[0]);
    return code.size() == 3 ? IC_ChangePass_SLE4442(s.icdev, code.data())
                            : IC_ChangePass_SLE4428(s.icdev, code.data());
}

int Attempts(Session& s, const Args&) {
    const int n = s.card_type == VEXA_TYPE_SLE4428 ? IC_ReadCount_SLE4428(s.icdev)
                                                   : IC_ReadCount_SLE4442(s.icdev);
    // A count comes with success in the last-error register.
    if (!LastCallSucceeded()) return n;
    std::printf("%d attempts left\n", n);
    return 0;
}

}  // namespace

void AddCardCommands(std::vector<Command>& out) {
    out.insert(
        out.end(),
        {
            {"read", 2, "read OFFSET LENGTH", "read card memory of the selected type", Read},
            {"write", 2, "write OFFSET HEX", "write card memory and verify it", Write},
            {"flash-read", 3, "flash-read PAGE OFFSET LENGTH", "read a 45DB041", FlashRead},
            {"flash-write", 3, "flash-write PAGE OFFSET HEX", "write a 45DB041", FlashWrite},
            {"protection", 2, "protection OFFSET LENGTH", "show protection (SLE4442/SLE4428)",
             Protection},
            {"protect", 2, "protect OFFSET HEX", "write bytes and protect them for good", Protect},
            {"verify", 1, "verify CODE", "present the code (6 hex digits SLE4442, 4 SLE4428)",
             Verify},
            {"change-code", 1, "change-code CODE", "change the code (after verify)", ChangeCode},
            {"attempts", 0, "attempts", "code attempts left", Attempts},
        });
}

}  // namespace tool
