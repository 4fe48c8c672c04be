// SPDX-License-Identifier: MIT
// The program's card type codes: name shown, capacity, the library's type
// code and the menu bar of each card family.
#pragma once

#include <string>

#include "vexa.h"

namespace demo {

namespace card {
constexpr int kNone = -1;
constexpr int kSle4406 = 2;
constexpr int kSle4418 = 4;
constexpr int kSle4428 = 5;
constexpr int kGemplus103 = 6;
constexpr int kSle4404 = 8;
constexpr int kCpu = 12;
constexpr int kSam = 13;
constexpr int kSle4432 = 16;
constexpr int kSle4442 = 17;
constexpr int kAt88sc101 = 32;
constexpr int kAt88sc102 = 33;
constexpr int kAt88sc103 = 34;
constexpr int k24C01A = 64;
constexpr int k24C02 = 65;
constexpr int k24C04 = 66;
constexpr int k24C08 = 67;
constexpr int k24C16 = 68;
constexpr int kAt88sc1604A = 160;
constexpr int k45D041 = 161;
constexpr int kAt88sc1604B = 162;
constexpr int kSsf1101 = 163;
constexpr int k24C64 = 192;
constexpr int kAt88sc1608 = 208;
constexpr int kAt88sc153 = 209;
}  // namespace card

// The library's type codes for the families it does not serve (it selects
// them without a word to the reader); those it serves are VEXA_TYPE_*.
namespace library_type {
constexpr int kSle4406 = 2;
constexpr int kGemplus103 = 6;
constexpr int kSle4404 = 8;
constexpr int kAt88sc10x = 32;
constexpr int kSsf1101 = 66;
constexpr int kAt88sc1604 = 160;
constexpr int kAt88sc1608 = 208;
constexpr int kAt88sc153 = 209;
}  // namespace library_type

// The AT88SC1608's configuration zone; zones below it are user zones.
constexpr int kConfigZone = 8;
// A CPU card is taken to be there when its answer to reset has this many
// bytes at least.
constexpr unsigned char kMinCpuAnswer = 4;

// The library type code given to IC_InitType for a card type code.
int LibraryTypeCode(int card_type);
// The menu bar that carries the card family's commands.
int MenuBarFor(int card_type);
// The name shown in the status panel; CPU cards show their protocol.
std::string CardTypeName(int card_type, int cpu_protocol);
// Capacity in bytes; `previous` for codes without a capacity of their own.
int CardCapacity(int card_type, int zone, int previous);
// A security code's attempts left as the library counted them, negative when
// that is no count: with the slot empty the reader's answer word comes back
// as a large positive number, shown negated so that it reads as a failure.
int CodeAttemptsOrFailure(int card_type, int count);

}  // namespace demo
