// SPDX-License-Identifier: MIT
// Programs built on the shared library start on the simulated reader by
// running themselves again on its build of the library.
#pragma once

namespace vexa_program {

// Returns at once when this process already runs on the simulated reader;
// otherwise execs the program again with that library first on the loader's
// path (the folder VEXA_SIM_LIB names, else the installed one), or exits
// with status 2 and a message naming `program` when there is none.
void RunOnSimulator(const char* program, char** argv);

}  // namespace vexa_program
