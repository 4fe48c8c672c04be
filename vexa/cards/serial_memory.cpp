// SPDX-License-Identifier: MIT
// Single-command operations of the serial-memory cards: the 24Cxx EEPROMs
// (address low byte first) and the 45DB041 serial flash (page and byte offset,
// high byte first). The reader must have been told the family beforehand.
#include "vexa/cards/serial_memory.h"

#include <array>

#include "vexa.h"
#include "vexa/cards/card_command.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

constexpr std::uint8_t kRead24C = 0xB0;
constexpr std::uint8_t kWrite24C = 0xB1;
constexpr std::uint8_t kRead24C64 = 0xB2;
constexpr std::uint8_t kWrite24C64 = 0xB3;
constexpr std::uint8_t kReadFlash = 0xAE;
constexpr std::uint8_t kWriteFlash = 0xAF;

std::array<std::uint8_t, 5> FlashHeader(std::int16_t page, std::int16_t offset,
                                        std::uint8_t count) {
    return {AddressHigh(page), AddressLow(page), AddressHigh(offset), AddressLow(offset), count};
}

std::int32_t ReadEeprom(std::int32_t icdev, std::uint8_t code, std::int32_t address,
                        std::int32_t count, std::uint8_t* out) {
    const std::int16_t a = Low16(address);
    if (a < 0) return kLengthError;
    const std::uint8_t n = Low8(count);
    return ReadInto(icdev, code, AddressAndCount(a, n), out, n);
}

// A count that does not fit one frame (above 248) gives -20 in SendWithData.
std::int32_t WriteEeprom(std::int32_t icdev, std::uint8_t code, std::int32_t address,
                         std::int32_t count, const std::uint8_t* data,
                         bool drop_extra_chunk = false) {
    const std::int16_t a = Low16(address);
    const std::int16_t n = Low16(count);
    if (a < 0) return kLengthError;
    return SendWithData(icdev, code, AddressAndCount(a, Low8(n)), data, n, drop_extra_chunk);
}

}  // namespace

std::int16_t Read_24C64(std::int32_t icdev, std::int32_t address, std::int32_t count,
                        unsigned char* out) {
    return Finish(ReadEeprom(icdev, kRead24C64, address, count, out));
}

// A frame of exactly 128 bytes (count 121) goes as two reports, without the
// all-zero third one the general chunk rule would add.
std::int16_t Write_24C64(std::int32_t icdev, std::int32_t address, std::int32_t count,
                         const unsigned char* data) {
    return Finish(WriteEeprom(icdev, kWrite24C64, address, count, data, true));
}

}  // namespace vexa

using namespace vexa;

int16_t Read_24C(int32_t icdev, int32_t address, int32_t count, unsigned char* out) {
    return Finish(ReadEeprom(icdev, kRead24C, address, count, out));
}

int16_t Write_24C(int32_t icdev, int32_t address, int32_t count, const unsigned char* data) {
    return Finish(WriteEeprom(icdev, kWrite24C, address, count, data));
}

int16_t Read_45DB041(int32_t icdev, int32_t page, int32_t offset, int32_t count,
                     unsigned char* out) {
    const std::int16_t p = Low16(page);
    const std::int16_t o = Low16(offset);
    if (p < 0 || o < 0) return Finish(kLengthError);
    const std::uint8_t n = Low8(count);
    return Finish(ReadInto(icdev, kReadFlash, FlashHeader(p, o, n), out, n));
}

// A count above 246 does not fit one frame: -20 from SendWithData.
int16_t Write_45DB041(int32_t icdev, int32_t page, int32_t offset, int32_t count,
                      const unsigned char* data) {
    const std::int16_t p = Low16(page);
    const std::int16_t o = Low16(offset);
    const std::int16_t n = Low16(count);
    if (p < 0 || o < 0) return Finish(kLengthError);
    return Finish(SendWithData(icdev, kWriteFlash, FlashHeader(p, o, Low8(n)), data, n));
}
