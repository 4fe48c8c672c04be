// SPDX-License-Identifier: MIT
// The reader's answers to IC_CheckCard and the single checks.
#include "fuzz/answers_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::RunAnswers(fuzz::kDetection, data, size);
}
