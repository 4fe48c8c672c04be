// SPDX-License-Identifier: MIT
#include "vexa/cards/probe_24c.h"

#include <array>

#include "vexa.h"
#include "vexa/link/build_config.h"
#include "vexa/link/selection.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

using Pair = std::array<std::uint8_t, 2>;

constexpr Pair kPatternY{0x66, 0x77};
constexpr Pair kPatternZ{0x88, 0x99};
constexpr Pair kPatternWP{0x57, 0x50};  // "WP"
constexpr std::uint8_t kPatternByte = 0x63;
constexpr std::int32_t kProbe64Address = 6720;
constexpr std::int32_t kNextSize = 0;  // a size step that did not match

// Statuses of exchanges that failed between library and reader: they tell
// nothing about the card. (A read-back that differs, -19, does.)
bool LostOnTheWay(std::int32_t st) {
    return st == kLengthError || st == kSendFailed || st == kReceiveFailed || st == kChecksumError;
}

// A write that failed otherwise than by reading back different may or may
// not have reached the card; sending the same bytes again settles it.
bool Unsettled(std::int32_t st) {
    return st != kOk && st != kWriteMismatch;
}

using WriteCall = std::int16_t(VEXA_CALL*)(std::int32_t, std::int32_t, std::int32_t,
                                           const unsigned char*);
constexpr int kWriteBackAttempts = 3;

// Bytes read before a pattern goes over them; only what was really read is
// ever written back.
struct Saved {
    Pair bytes{};
    bool valid = false;
};

class Probe {
  public:
    explicit Probe(std::int32_t icdev) : icdev_(icdev) {}
    std::int32_t Run();

  private:
    std::int32_t Read(std::int32_t address, int n, std::uint8_t* out) {
        return IC_Read(icdev_, address, n, out);
    }
    std::int32_t Write(std::int32_t address, int n, const std::uint8_t* data) {
        return IC_Write24(icdev_, address, n, data);
    }
    std::int32_t Save(std::int32_t address, Saved& s) {
        const std::int32_t st = Read(address, 2, s.bytes.data());
        s.valid = st == kOk;
        return st;
    }
    // The saved bytes are kept nowhere else, so a write-back that did not
    // settle is sent again.
    void WriteBack(WriteCall write, std::int32_t address, int n, const std::uint8_t* data) {
        for (int attempt = 0; attempt < kWriteBackAttempts; ++attempt)
            if (!Unsettled(write(icdev_, address, n, data))) return;
    }
    void Restore(std::int32_t address, const Saved& s) {
        if (s.valid) WriteBack(IC_Write24, address, 2, s.bytes.data());
    }
    // On a 24C64 this carries no data: its two address bytes take both bytes.
    void RestoreByte0() { WriteBack(IC_Write24, 0, 1, &byte0_); }

    std::int32_t TestByteWrite();
    std::int32_t Test24C64();
    std::int32_t TestBlocks(std::int32_t upper, std::int32_t size);
    std::int32_t Test24C02();

    std::int32_t icdev_;
    std::uint8_t byte0_ = 0;
};

std::int32_t Probe::Run() {
    if (IC_Status(icdev_) != kOk) return Finish(kCardTestError);
    std::int32_t st = IC_InitType(icdev_, kType24C);
    if (st != kOk) return Finish(st);
    st = Read(0, 1, &byte0_);
    if (st != kOk) return Finish(st);
    st = TestByteWrite();
    if (st != kNextSize) return st;
    struct Step {
        std::int32_t upper;
        std::int32_t size;
    };
    for (const Step step :
         {Step{2046, VEXA_SIZE_24C16}, Step{1022, VEXA_SIZE_24C08}, Step{510, VEXA_SIZE_24C04}}) {
        st = TestBlocks(step.upper, step.size);
        if (st != kNextSize) return st;
    }
    return Test24C02();
}

// One-byte-address cards take a byte at address 0; a 24C64 does not. A write
// or read-back that failed on the way says nothing about the size: it ends the
// probe rather than sending two-byte addresses, which overwrite bytes of a
// smaller card.
std::int32_t Probe::TestByteWrite() {
    const std::int32_t written = Write(0, 1, &kPatternByte);
    if (LostOnTheWay(written)) {
        RestoreByte0();
        return Finish(written);
    }
    if (written != kOk) return Test24C64();
    std::uint8_t back = 0;
    const std::int32_t st = Read(0, 1, &back);
    if (st != kOk) {
        RestoreByte0();
        return Finish(st);
    }
    return back == kPatternByte ? kNextSize : Test24C64();
}

std::int32_t Probe::Test24C64() {
    std::int32_t st = IC_InitType(icdev_, kType24C64);
    if (st != kOk) return Finish(st);
    Pair kept{};
    if ((st = Read(kProbe64Address, 2, kept.data())) != kOk) return Finish(st);
    Pair back{};
    st = IC_Write64(icdev_, kProbe64Address, 2, kPatternWP.data());
    if (st == kOk) st = Read(kProbe64Address, 2, back.data());
    if (st != kOk) {
        if (Unsettled(st)) WriteBack(IC_Write64, kProbe64Address, 2, kept.data());
        return Finish(st);
    }
    // Not a 24C64 either: stop here rather than probe further with the wrong
    // addressing selected.
    if (back != kPatternWP) return Finish(kCardTestError);
    WriteBack(IC_Write64, kProbe64Address, 2, kept.data());
    SetLastError(kOk);
    return VEXA_SIZE_24C64;
}

// Pattern Y at the top of the candidate size, Z one block lower: Y reading
// back means the top block exists and is not an alias of the lower one. The
// saving reads may be refused (the card lacks the blocks, and then refuses the
// pattern too), but one lost on the way leaves unknown what the pattern would
// overwrite; a pattern write lost on the way tells nothing about the size.
std::int32_t Probe::TestBlocks(std::int32_t upper, std::int32_t size) {
    const std::int32_t lower = upper - 256;
    Saved up;
    Saved low;
    std::int32_t st = Save(upper, up);
    if (!LostOnTheWay(st)) st = Save(lower, low);
    if (LostOnTheWay(st)) {
        RestoreByte0();
        return Finish(st);
    }
    const std::int32_t y = Write(upper, 2, kPatternY.data());
    st = y;
    Pair back{};
    if (y == kOk) {
        st = Write(lower, 2, kPatternZ.data());
        if (st == kOk) st = Read(upper, 2, back.data());
    }
    const bool lacks_top = y != kOk && !LostOnTheWay(y);
    if (st != kOk && !lacks_top) {
        Restore(lower, low);
        Restore(upper, up);
        RestoreByte0();
        return Finish(st);
    }
    if (lacks_top || back != kPatternY) {
        Restore(lower, low);
        Restore(upper, up);
        return kNextSize;
    }
    if (size == VEXA_SIZE_24C04) {
        RestoreByte0();
        Restore(lower, low);
        Restore(upper, up);
    } else {
        Restore(upper, up);
        RestoreByte0();
        Restore(lower, low);
    }
    SetLastError(kOk);
    return size;
}

// 24C01 words wrap at 128, so "WP" written at 128 shows up at address 0. On
// either size the kept bytes written at 128 and then byte 0 undo the pattern.
std::int32_t Probe::Test24C02() {
    Saved kept;
    std::int32_t st = Save(128, kept);
    if (LostOnTheWay(st)) {
        RestoreByte0();
        return Finish(st);
    }
    st = Write(128, 2, kPatternWP.data());
    if (st != kOk) {
        Restore(128, kept);
        RestoreByte0();
        return Finish(LostOnTheWay(st) ? st : kCardTestError);
    }
    std::uint8_t first = 0;
    st = Read(0, 1, &first);
    if (st != kOk) {
        Restore(128, kept);
        RestoreByte0();
        return Finish(st);
    }
    const bool wraps = first == kPatternWP[0];
    // On a 24C01 the kept bytes are addresses 0 and 1 (0 already holding the
    // byte pattern), so they go back first and the saved byte 0 last.
    Restore(wraps ? 0 : 128, kept);
    RestoreByte0();
    SetLastError(kOk);
    return wraps ? VEXA_SIZE_24C01 : VEXA_SIZE_24C02;
}

}  // namespace

std::int32_t Probe_24C(std::int32_t icdev) {
    return Probe(icdev).Run();
}

}  // namespace vexa
