// SPDX-License-Identifier: MIT
// The card families, each put into the virtual reader's slot in turn.
#include <vector>

#include "tests/kernel/steps.h"
#include "tests/kernel/traffic.h"
#include "vexa.h"

namespace kernel_test {

namespace {

using Bytes = std::vector<unsigned char>;

constexpr std::int16_t kWrongCodeWord = 0x0101;  // the reader refusing a wrong code

// Bytes 0..7 of a fresh simulated SLE4442.
const Bytes kSle4442Factory{0xA2, 0x13, 0x10, 0x91, 0xFF, 0xFF, 0x81, 0x15};

Bytes Read(Bench& b, const std::string& step, std::int32_t offset, std::int32_t length) {
    Bytes out(static_cast<std::size_t>(length));
    b.tally.Expect(step, IC_Read(b.icdev, offset, length, out.data()), 0);
    return out;
}

// A 9-byte APDU answer of GET CHALLENGE: 8 random bytes, 90 00.
void GetChallenge(Bench& b, const std::string& step) {
    const Bytes apdu{0x00, 0x84, 0x00, 0x00, 0x08};
    unsigned char len = 0;
    Bytes response(255);
    b.tally.Expect(step, IC_CpuApdu(b.icdev, 5, apdu.data(), &len, response.data()), 0);
    b.tally.Check(step + " answers 8 bytes and 90 00",
                  len == 10 && response[8] == 0x90 && response[9] == 0x00,
                  "length " + std::to_string(len));
}

}  // namespace

void Sle4442Steps(Bench& b) {
    b.tally.Expect("IC_CheckCard finds the SLE4442", IC_CheckCard(b.icdev), VEXA_FOUND_SLE4442);
    b.tally.Expect("IC_InitType SLE4442", IC_InitType(b.icdev, VEXA_TYPE_SLE4442), 0);
    b.tally.Check("the SLE4442 reads its factory bytes",
                  Read(b, "IC_Read of the SLE4442", 0, 8) == kSle4442Factory);
    b.tally.Expect("3 code attempts at first", IC_ReadCount_SLE4442(b.icdev), 3);
    const Bytes wrong{0x12, 0x34, 0x56};
    const Bytes right{0xFF, 0xFF, 0xFF};
    b.tally.Expect("a wrong code is refused", IC_CheckPass_SLE4442(b.icdev, wrong.data()),
                   kWrongCodeWord);
    b.tally.Expect("the wrong code cost an attempt", IC_ReadCount_SLE4442(b.icdev), 2);
    b.tally.Expect("the right code is accepted", IC_CheckPass_SLE4442(b.icdev, right.data()), 0);
    b.tally.Expect("the right code restores the attempts", IC_ReadCount_SLE4442(b.icdev), 3);
    Bytes data(100);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<unsigned char>(i * 3);
    b.tally.Expect("IC_Write of 100 SLE4442 bytes, read back",
                   IC_Write(b.icdev, 64, 100, data.data()), 0);
    b.tally.Check("the SLE4442 bytes read back", Read(b, "IC_Read of them", 64, 100) == data);
}

void EepromSteps(Bench& b) {
    b.reader.Do("insert 24c16");
    b.tally.Expect("IC_CheckCard finds the 24C16", IC_CheckCard(b.icdev), VEXA_FOUND_24C16);
    b.tally.Expect("IC_InitType 24Cxx", IC_InitType(b.icdev, VEXA_TYPE_24C), 0);
    Bytes pattern(2048);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        pattern[i] = static_cast<unsigned char>(i * 7 + i / 256);
    }
    const Traffic write = Measure(b.reader, [&] {
        b.tally.Expect("IC_Write24 writes and verifies 2048 bytes",
                       IC_Write24(b.icdev, 0, 2048, pattern.data()), 0);
    });
    Bytes back;
    const Traffic read =
        Measure(b.reader, [&] { back = Read(b, "IC_Read of 2048 bytes", 0, 2048); });
    b.tally.Check("the 2048 bytes read back", back == pattern);
    PrintFigure("24C16 verified write of 2048 bytes", write);
    PrintFigure("24C16 read of 2048 bytes", read);
}

void CpuSteps(Bench& b, const std::string& card, int detected, int protocol) {
    const std::string t = " (T=" + std::to_string(protocol) + ")";
    b.reader.Do("insert " + card);
    b.tally.Expect("IC_CheckCard finds the CPU card" + t, IC_CheckCard(b.icdev), detected);
    b.tally.Expect("IC_InitType CPU card" + t, IC_InitType(b.icdev, VEXA_TYPE_CPU), 0);
    unsigned char atr_len = 0;
    Bytes atr(255);
    b.tally.Expect("IC_CpuReset" + t, IC_CpuReset(b.icdev, &atr_len, atr.data()), 0);
    b.tally.Check("the ATR starts 3B" + t, atr_len > 1 && atr[0] == 0x3B);
    b.tally.Expect("IC_CpuGetProtocol" + t, IC_CpuGetProtocol(b.icdev), protocol);
    // Twice, so that under T=1 the block numbers alternate.
    GetChallenge(b, "GET CHALLENGE" + t);
    GetChallenge(b, "a second GET CHALLENGE" + t);
}

}  // namespace kernel_test
