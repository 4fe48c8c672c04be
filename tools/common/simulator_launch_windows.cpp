// SPDX-License-Identifier: MIT
#include <process.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/common/simulator_launch.h"

namespace vexa_program {
namespace {

// Set in the started copy, so that it does not start one more.
constexpr const char* kOnSimulator = "VEXA_ON_SIMULATOR";

// One argument as the C runtime of the started program splits it again.
std::string Quoted(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (const char c : arg) {
        if (c == '"') out.append(backslashes + 1, '\\');
        backslashes = c == '\\' ? backslashes + 1 : 0;
        out += c;
    }
    out.append(backslashes, '\\');
    return out + "\"";
}

}  // namespace

// Windows loads vexa.dll from the program's own folder first, so the
// simulated reader is a copy of this program beside the simulator build of
// the library, in simulated\.
void RunOnSimulator(const char* program, char** argv) {
    if (std::getenv(kOnSimulator)) return;
    char self[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::filesystem::path path(std::string(self, n));
    const std::filesystem::path copy = path.parent_path() / "simulated" / path.filename();
    std::error_code ec;
    if (n == 0 || n == MAX_PATH || !std::filesystem::exists(copy, ec)) {
        std::fprintf(stderr, "%s: the simulated reader library is not installed\n", program);
        std::exit(2);
    }
    std::vector<std::string> words;
    for (char** a = argv; *a; ++a) words.push_back(Quoted(*a));
    std::vector<const char*> args;
    for (const std::string& w : words) args.push_back(w.c_str());
    args.push_back(nullptr);
    _putenv_s(kOnSimulator, "1");
    std::fflush(stdout);
    const intptr_t rc = _spawnv(_P_WAIT, copy.string().c_str(), args.data());
    if (rc == -1)
        std::perror((std::string(program) + ": cannot start the simulated reader's copy").c_str());
    std::exit(rc == -1 ? 2 : static_cast<int>(rc));
}

}  // namespace vexa_program
