// SPDX-License-Identifier: MIT
// The reader's answers to the reader's own commands and every single card command.
#include "fuzz/answers_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::RunAnswers(fuzz::kDevice, data, size);
}
