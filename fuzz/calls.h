// SPDX-License-Identifier: MIT
// Every exported entry point that takes arguments or talks to the reader, as
// a call a fuzz target can make: four integer slots from the input, and
// buffers of exactly the size the call's contract gives for those integers
// (the documented fixed sizes, or the length the caller passes). Buffers live
// on the heap, so the address sanitizer sees any byte touched past their end.
#pragma once

#include <cstdint>
#include <span>

namespace fuzz {

// What a call exercises, for the targets that fuzz the reader's answers.
enum Group : unsigned {
    kDevice = 1,     // the reader's own commands and the single card commands
    kCpu = 2,        // resets and APDUs
    kMemory = 4,     // multi-command reads and writes, reader memory, protection
    kDetection = 8,  // IC_CheckCard and the single checks
};

struct CallArgs {
    std::int32_t a = 0, b = 0, c = 0, d = 0;
    // Buffers behind a length are passed as null pointers.
    bool null_buffers = false;
};

struct Call {
    const char* name;
    unsigned groups;
    std::int16_t (*run)(std::int32_t icdev, const CallArgs& args);
};

std::span<const Call> AllCalls();

// The message of whatever status the last call left, into the 21 bytes the
// API promises it needs.
void ReadLastError();

}  // namespace fuzz
