// SPDX-License-Identifier: MIT
// Programs built on the shared library start on the simulated reader by
// running themselves again on its build of the library.
#pragma once

namespace vexa_program {

// Returns at once when this process already runs on the simulated reader.
// Otherwise runs the same command line again on the simulated reader's build
// of the library: on Linux by exec with that library first on the loader's
// path (the folder VEXA_SIM_LIB names, else the installed one); on Windows
// as the copy of the program in the simulated\ folder beside it, ending this
// process with the copy's result. Exits with status 2 and a message naming
// `program` when that build is not there.
void RunOnSimulator(const char* program, char** argv);

}  // namespace vexa_program
