// SPDX-License-Identifier: MIT
// The reader's answers to multi-command reads and writes of every family, reader memory, protection
// and code reads.
#include "fuzz/answers_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::RunAnswers(fuzz::kMemory, data, size);
}
