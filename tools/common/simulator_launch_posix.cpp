// SPDX-License-Identifier: MIT
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tools/common/simulator_launch.h"

namespace vexa_program {
namespace {

// Set in the re-executed process, so that it does not exec once more.
constexpr const char* kOnSimulator = "VEXA_ON_SIMULATOR";

// Only the installed folder is compiled in: a build folder named here would
// let whoever can write there later plant a library in an installed program.
std::string SimulatorFolder() {
    const char* chosen = std::getenv("VEXA_SIM_LIB");
    const std::string folder = chosen && *chosen ? chosen : VEXA_SIM_LIBDIR_INSTALLED;
    std::error_code ignored;
    return std::filesystem::exists(folder + "/libvexa.so.1", ignored) ? folder : std::string();
}

}  // namespace

void RunOnSimulator(const char* program, char** argv) {
    if (std::getenv(kOnSimulator)) return;
    const std::string folder = SimulatorFolder();
    if (folder.empty()) {
        std::fprintf(stderr, "%s: the simulated reader library is not installed (VEXA_SIM_LIB)\n",
                     program);
        std::exit(2);
    }
    const char* old = std::getenv("LD_LIBRARY_PATH");
    const std::string path = old && *old ? folder + ":" + old : folder;
    setenv("LD_LIBRARY_PATH", path.c_str(), 1);
    setenv(kOnSimulator, "1", 1);
    execv("/proc/self/exe", argv);
    std::fprintf(stderr, "%s: cannot run on the simulated reader: ", program);
    std::perror("exec");
    std::exit(2);
}

}  // namespace vexa_program
