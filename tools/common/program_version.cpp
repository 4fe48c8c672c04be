// SPDX-License-Identifier: MIT
#include "tools/common/program_version.h"

#include <cstdio>

namespace vexa_program {

void PrintVersion(const char* program) {
    std::printf("%s %s\n", program, VEXA_VERSION_TEXT);
}

}  // namespace vexa_program
