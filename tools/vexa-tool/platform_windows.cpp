// SPDX-License-Identifier: MIT
#include <process.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "tools/vexa-tool/platform.h"

namespace tool {

namespace {

constexpr UINT kGbk = 936;
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
void RunOnSimulator(char** argv) {
    if (std::getenv(kOnSimulator)) return;
    char self[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::filesystem::path copy =
        std::filesystem::path(std::string(self, n)).parent_path() / "simulated" / "vexa-tool.exe";
    std::error_code ec;
    if (n == 0 || n == MAX_PATH || !std::filesystem::exists(copy, ec)) {
        std::fputs("vexa-tool: the simulated reader library is not installed\n", stderr);
        std::exit(2);
    }
    std::vector<std::string> words;
    for (char** a = argv; *a; ++a) words.push_back(Quoted(*a));
    std::vector<const char*> args;
    for (const std::string& w : words) args.push_back(w.c_str());
    args.push_back(nullptr);
    SetEnvironment(kOnSimulator, "1");
    std::fflush(stdout);
    const intptr_t rc = _spawnv(_P_WAIT, copy.string().c_str(), args.data());
    if (rc == -1) std::perror("vexa-tool: cannot start the simulated reader's copy");
    std::exit(rc == -1 ? 2 : static_cast<int>(rc));
}

void SetEnvironment(const char* name, const std::string& value) {
    _putenv_s(name, value.c_str());
}

std::string GbkToUtf8(const std::string& gbk) {
    if (gbk.empty()) return gbk;
    const int size = static_cast<int>(gbk.size());
    const int wide_size = MultiByteToWideChar(kGbk, 0, gbk.data(), size, nullptr, 0);
    if (wide_size <= 0) return gbk;
    std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
    MultiByteToWideChar(kGbk, 0, gbk.data(), size, wide.data(), wide_size);
    const int out_size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_size, nullptr, 0, nullptr, nullptr);
    if (out_size <= 0) return gbk;
    std::string out(static_cast<std::size_t>(out_size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_size, out.data(), out_size, nullptr, nullptr);
    return out;
}

}  // namespace tool
