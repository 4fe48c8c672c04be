// SPDX-License-Identifier: MIT
// Writing card memory and proving it arrived: every piece written is read
// back and compared with what was meant to be there.
#pragma once

#include <cstdint>

#include "vexa.h"

namespace vexa {

// The single-command reads and writes of the memory families.
using PieceRead = std::int16_t(VEXA_CALL*)(std::int32_t icdev, std::int32_t address,
                                           std::int32_t count, unsigned char* out);
using PieceWrite = std::int16_t(VEXA_CALL*)(std::int32_t icdev, std::int32_t address,
                                            std::int32_t count, const unsigned char* data);

// The most a memory entry point reads or writes with one reader command.
constexpr std::int32_t kMemoryPiece = 128;

// Writes `count` bytes (at most kMemoryPiece), reads them back and compares:
// -19 on a difference, else the first failing command's status, else 0.
std::int32_t WriteVerified(std::int32_t icdev, PieceWrite write, PieceRead read,
                           std::int32_t address, std::int32_t count, const std::uint8_t* data);

// `length` bytes from `address` in verified pieces of kMemoryPiece bytes.
std::int32_t WriteVerifiedPieces(std::int32_t icdev, PieceWrite write, PieceRead read,
                                 std::int32_t address, std::int32_t length,
                                 const std::uint8_t* data);

}  // namespace vexa
