// SPDX-License-Identifier: MIT
// The version line every program of the project prints for --version.
#pragma once

namespace vexa_program {

// "PROGRAM VERSION" on standard output.
void PrintVersion(const char* program);

}  // namespace vexa_program
