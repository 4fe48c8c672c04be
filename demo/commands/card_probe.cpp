// SPDX-License-Identifier: MIT
#include "demo/commands/card_probe.h"

#include "demo/port/library_imports.h"
#include "demo/view/card_types.h"

namespace demo {

namespace {

constexpr std::uint8_t kLowerWp[] = {'w', 'p'};
constexpr std::uint8_t kUpperWp[] = {'W', 'P'};
constexpr std::uint8_t kPatternA[] = {0x66, 0x77};
constexpr std::uint8_t kPatternB[] = {0x88, 0x99};
constexpr std::uint8_t kEightFF[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
constexpr std::uint8_t kAt88sc1608Pattern[] = {'1', '6', '0', '8', 0xAA, 0x55, 0x16, 0x08};
constexpr std::uint8_t kTwoFF[] = {0xFF, 0xFF};
constexpr std::uint8_t kOneFF[] = {0xFF};
constexpr std::uint8_t kOneAA[] = {0xAA};
constexpr std::uint8_t kSmallEepromMark[] = {0x63};
constexpr std::uint8_t kSle4404Id[] = {0xB7, 0xA0};
constexpr std::uint8_t kAt88sc1604BId[] = {0x16, 0x04};

constexpr int kAt88sc1608TestArea = 56;
constexpr int kAt88sc153TestByte = 15;
constexpr int k24C64TestOffset = 6720;
constexpr int kAt88sc1604ATestArea = 2005;
constexpr int kAt88sc102TestArea = 176;
constexpr int kWrapOffset = 128;

bool Equal(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

}  // namespace

// Library type code each step selects; the first five may fail to select
// and leave the next step to try, later ones end the test.
struct CardProbe::Step {
    int library_code;
    bool may_fail_to_select;
    bool query_status;
    Verdict (CardProbe::*probe)();
};

const CardProbe::Step CardProbe::kSteps[] = {
    {VEXA_TYPE_CPU, true, false, &CardProbe::ProbeCpu},
    {library_type::kSsf1101, true, true, &CardProbe::ProbeSsf1101},
    {VEXA_TYPE_45DB041, true, true, &CardProbe::Probe45D041},
    {library_type::kAt88sc1608, true, true, &CardProbe::ProbeAt88sc1608},
    {library_type::kAt88sc153, true, true, &CardProbe::ProbeAt88sc153},
    {library_type::kSle4404, false, true, &CardProbe::ProbeSle4404},
    {VEXA_TYPE_SLE4442, false, true, &CardProbe::ProbeSle4442},
    {VEXA_TYPE_SLE4428, false, true, &CardProbe::ProbeSle4428},
    {VEXA_TYPE_24C, false, true, &CardProbe::ProbeSmallEeprom},
    {VEXA_TYPE_24C64, false, true, &CardProbe::Probe24C64},
    {library_type::kAt88sc1604, false, true, &CardProbe::ProbeAt88sc1604},
    {library_type::kAt88sc10x, false, true, &CardProbe::ProbeAt88sc102},
};

std::optional<int> CardProbe::Run(std::int32_t& cpu_protocol) {
    cpu_protocol_ = &cpu_protocol;
    for (const Step& step : kSteps) {
        if (Lib().IC_InitType(icdev_, step.library_code) != 0) {
            if (step.may_fail_to_select) continue;
            return std::nullopt;
        }
        if (step.query_status) Lib().IC_Status(icdev_);
        const Verdict verdict = (this->*step.probe)();
        if (verdict.kind == Kind::kFound) return verdict.card_type;
        if (verdict.kind == Kind::kNotFound) return std::nullopt;
    }
    return std::nullopt;
}

CardProbe::Verdict CardProbe::ProbeCpu() {
    unsigned char length = 0;
    unsigned char answer[256] = {};
    if (Lib().IC_CpuReset(icdev_, &length, answer) != 0 || length < kMinCpuAnswer) return Next();
    *cpu_protocol_ = Lib().IC_CpuGetProtocol(icdev_);
    return Found(card::kCpu);
}

CardProbe::Verdict CardProbe::ProbeSsf1101() {
    Pair saved{};
    if (Lib().IC_Read_1101(icdev_, 0, 0, 2, saved.data()) != 0) return Next();
    if (Lib().IC_Write_1101(icdev_, 0, 0, 2, kLowerWp) != 0) return Next();
    Lib().IC_Write_1101(icdev_, 0, 0, 2, saved.data());
    return Found(card::kSsf1101);
}

CardProbe::Verdict CardProbe::Probe45D041() {
    Pair saved{};
    Lib().IC_DirectRead(icdev_, 0, 0, 2, saved.data());
    if (Lib().IC_DirectRead(icdev_, 0, 0, 2, saved.data()) != 0) return Next();
    if (Lib().IC_DirectWrite(icdev_, 0, 0, 2, kLowerWp) != 0) return Next();
    Lib().IC_DirectWrite(icdev_, 0, 0, 2, saved.data());
    return Found(card::k45D041);
}

CardProbe::Verdict CardProbe::ProbeAt88sc1608() {
    std::uint8_t back[8] = {};
    const bool answered =
        Lib().IC_WriteConfigZone(icdev_, kAt88sc1608TestArea, 8, kEightFF) == 0 &&
        Lib().IC_WriteConfigZone(icdev_, kAt88sc1608TestArea, 8, kAt88sc1608Pattern) == 0 &&
        Lib().IC_ReadConfigZone(icdev_, kAt88sc1608TestArea, 8, back) == 0;
    return answered && Equal(back, kAt88sc1608Pattern) ? Found(card::kAt88sc1608) : Next();
}

CardProbe::Verdict CardProbe::ProbeAt88sc153() {
    std::uint8_t back[1] = {};
    const bool answered = Lib().IC_WriteConfigZone(icdev_, kAt88sc153TestByte, 1, kOneFF) == 0 &&
                          Lib().IC_WriteConfigZone(icdev_, kAt88sc153TestByte, 1, kOneAA) == 0 &&
                          Lib().IC_ReadConfigZone(icdev_, kAt88sc153TestByte, 1, back) == 0;
    return answered && Equal(back, kOneAA) ? Found(card::kAt88sc153) : Next();
}

CardProbe::Verdict CardProbe::ProbeSle4404() {
    std::optional<Pair> id = ReadPair(0);
    return id && Equal(*id, kSle4404Id) ? Found(card::kSle4404) : Next();
}

// Byte 7 of the protected-memory cards names the family.
bool CardProbe::IdentifiedBy(int offset, std::uint8_t value) {
    std::optional<Pair> bytes = ReadPair(offset - 1);
    return bytes && (*bytes)[1] == value;
}

CardProbe::Verdict CardProbe::ProbeSle4442() {
    return IdentifiedBy(7, 0x15) ? Found(card::kSle4442) : Next();
}

CardProbe::Verdict CardProbe::ProbeSle4428() {
    return IdentifiedBy(7, 0x13) ? Found(card::kSle4428) : Next();
}

// A small serial EEPROM takes a one-byte write at offset 0 with one-byte
// addresses; its size is found by how it wraps addresses.
CardProbe::Verdict CardProbe::ProbeSmallEeprom() {
    if (!Read(0, std::span(&byte0_, 1))) return NotFound();
    if (!Write(0, kSmallEepromMark)) return Next();
    return SizeSmallEeprom();
}

CardProbe::Verdict CardProbe::Probe24C64() {
    std::optional<Pair> saved = ReadPair(k24C64TestOffset);
    if (!saved) return NotFound();
    if (!Write(k24C64TestOffset, kUpperWp)) return Next();
    Restore(k24C64TestOffset, saved);
    return Found(card::k24C64);
}

CardProbe::Verdict CardProbe::ProbeAt88sc1604() {
    std::optional<Pair> id = ReadPair(0);
    if (!id) return NotFound();
    if (Equal(*id, kAt88sc1604BId)) return Found(card::kAt88sc1604B);
    return Write(kAt88sc1604ATestArea, kUpperWp) ? Found(card::kAt88sc1604A) : Next();
}

CardProbe::Verdict CardProbe::ProbeAt88sc102() {
    Write(kAt88sc102TestArea, kTwoFF);
    return Write(kAt88sc102TestArea, kUpperWp) ? Found(card::kAt88sc102) : NotFound();
}

CardProbe::Verdict CardProbe::SizeSmallEeprom() {
    static constexpr struct {
        int high;
        int low;
        int card_type;
    } kSizes[] = {{2046, 1790, card::k24C16}, {1022, 766, card::k24C08}, {510, 254, card::k24C04}};
    for (const auto& size : kSizes) {
        const Verdict verdict = TryEepromSize(size.high, size.low, size.card_type);
        if (verdict.kind != Kind::kNext) return verdict;
    }
    return TellEeprom128From256();
}

// The chip has the high offset when a pattern written there survives a
// write at the low offset, which a smaller chip maps onto the same byte.
CardProbe::Verdict CardProbe::TryEepromSize(int high, int low, int card_type) {
    const std::optional<Pair> saved_high = ReadPair(high);
    const std::optional<Pair> saved_low = ReadPair(low);
    if (!Write(high, kPatternA)) {
        RestoreByte0();
        Restore(low, saved_low);
        Restore(high, saved_high);
        return Next();
    }
    Write(low, kPatternB);
    const std::optional<Pair> back = ReadPair(high);
    Restore(high, saved_high);
    RestoreByte0();
    Restore(low, saved_low);
    return back && Equal(*back, kPatternA) ? Found(card_type) : Next();
}

// A 24C01A has 7-bit addresses: offset 128 is offset 0.
CardProbe::Verdict CardProbe::TellEeprom128From256() {
    const std::optional<Pair> saved = ReadPair(kWrapOffset);
    if (!Write(kWrapOffset, kUpperWp)) {
        RestoreByte0();
        return NotFound();
    }
    std::uint8_t first = 0;
    const bool wrapped = Read(0, std::span(&first, 1)) && first == 'W';
    Restore(wrapped ? 0 : kWrapOffset, saved);
    RestoreByte0();
    return Found(wrapped ? card::k24C01A : card::k24C02);
}

std::optional<CardProbe::Pair> CardProbe::ReadPair(int offset) {
    Pair bytes{};
    if (!Read(offset, bytes)) return std::nullopt;
    return bytes;
}

bool CardProbe::Read(int offset, std::span<std::uint8_t> out) {
    return Lib().IC_Read(icdev_, offset, static_cast<int>(out.size()), out.data()) == 0;
}

bool CardProbe::Write(int offset, std::span<const std::uint8_t> data) {
    return Lib().IC_Write(icdev_, offset, static_cast<int>(data.size()), data.data()) == 0;
}

void CardProbe::Restore(int offset, const std::optional<Pair>& saved) {
    if (saved) Write(offset, *saved);
}

void CardProbe::RestoreByte0() {
    Write(0, std::span(&byte0_, 1));
}

}  // namespace demo
