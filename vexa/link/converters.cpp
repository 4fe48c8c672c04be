// SPDX-License-Identifier: MIT
#include "vexa.h"
#include "vexa/link/hex_text.h"

namespace vexa {

namespace {

char Digit(std::uint8_t nibble) {
    return static_cast<char>(nibble < 10 ? 0x30 + nibble : 0x37 + nibble);
}

int ValueOf(char c) {
    const unsigned char u = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 0x20 : c);
    return u <= 0x39 ? u - 0x30 : u - 0x37;
}

}  // namespace

void BytesToHex(const std::uint8_t* bytes, char* text, std::int32_t n) {
    for (std::int32_t i = 0; i < n; ++i) {
        text[2 * i] = Digit(bytes[i] >> 4);
        text[2 * i + 1] = Digit(bytes[i] & 0x0F);
    }
}

void HexToBytes(const char* text, std::uint8_t* bytes, std::int32_t n) {
    for (std::int32_t i = 0; i < n; ++i) {
        bytes[i] = static_cast<std::uint8_t>(ValueOf(text[2 * i]) * 16 + ValueOf(text[2 * i + 1]));
    }
}

}  // namespace vexa

using namespace vexa;

int16_t asc2hex(const unsigned char* bytes, char* text, int32_t n) {
    const int16_t count = Low16(n);
    if (count > 0 && bytes != nullptr && text != nullptr) BytesToHex(bytes, text, count);
    return Finish(kOk);
}

int16_t hex2asc(const char* text, unsigned char* bytes, int32_t n) {
    const int16_t count = Low16(n);
    if (count > 0 && bytes != nullptr && text != nullptr) HexToBytes(text, bytes, count);
    return Finish(kOk);
}
