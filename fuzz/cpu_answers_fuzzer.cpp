// SPDX-License-Identifier: MIT
// The reader's answers to CPU and module card resets, APDUs and sessions under T=0 and T=1.
#include "fuzz/answers_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::RunAnswers(fuzz::kCpu, data, size);
}
