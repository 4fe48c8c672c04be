// SPDX-License-Identifier: MIT
// vexa-tool: poke the reader from a shell.
//   vexa-tool [--sim] [--card NAME] [--port N] [--reader PATH] COMMAND [ARGS] [COMMAND [ARGS]]...
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/common/program_version.h"
#include "tools/common/simulator_launch.h"
#include "tools/vexa-tool/commands_common.h"
#include "tools/vexa-tool/platform.h"
#include "tools/vexa-tool/text.h"
#include "vexa.h"

namespace {

using tool::Args;

void Usage(std::FILE* to) {
    std::fputs(
        "usage: vexa-tool [--sim] [--card NAME] [--port N] [--reader PATH] COMMAND [ARGS]\n"
        "                 [COMMAND ...]\n"
        "       vexa-tool --help | --version\n"
        "  --sim        use the simulated reader instead of a real one (the library in\n"
        "               VEXA_SIM_LIB, else the installed one)\n"
        "  --card NAME  card in the simulated reader (sle4442 sle4428 24c01 .. 24c16 24c64\n"
        "               45db041 cpu-t0 cpu-t1 sam none)\n"
        "  --port N     port to open (default 100, the USB reader)\n"
        "  --reader PATH  open the reader at PATH (as `list` shows it) instead of the\n"
        "               first free one\n"
        "commands:\n",
        to);
    for (const auto& c : tool::Commands()) std::fprintf(to, "  %-30s %s\n", c.usage, c.help);
}

std::string Message(int status) {
    char text[32] = {};
    IC_GetLastError(text);
    char code[48];
    std::snprintf(code, sizeof code, "status %d (0x%04X)", status, status & 0xFFFF);
    return std::string(code) + ": " + tool::GbkToUtf8(text);
}

const tool::Command* Find(const std::string& name) {
    for (const auto& c : tool::Commands())
        if (name == c.name) return &c;
    return nullptr;
}

// Where the reader is opened.
struct Target {
    long port = 100;
    std::string path;  // "": the first free reader
};

// Opens the reader for the first command that needs it; false when it cannot.
bool Open(tool::Session& s, const Target& t) {
    if (s.open) return true;
    const auto port = static_cast<int32_t>(t.port);
    s.icdev = t.path.empty() ? IC_InitComm(port) : IC_InitCommPath(port, t.path.c_str());
    s.open = s.icdev >= 0;
    if (s.open) return true;
    const std::string where = t.path.empty() ? "on port " + std::to_string(t.port) : t.path;
    std::fprintf(stderr, "vexa-tool: cannot open the reader %s, %s\n", where.c_str(),
                 Message(s.icdev).c_str());
    return false;
}

// Runs the commands in order; stops at the first failure.
int RunCommands(tool::Session& s, const Target& target, const std::vector<std::string>& words) {
    for (std::size_t i = 0; i < words.size();) {
        const tool::Command* c = Find(words[i]);
        if (!c) throw tool::UsageError("unknown command: " + words[i]);
        if (i + 1 + c->arg_count > words.size())
            throw tool::UsageError(std::string("usage: ") + c->usage);
        const Args args(words.begin() + static_cast<long>(i) + 1,
                        words.begin() + static_cast<long>(i) + 1 + c->arg_count);
        if (c->needs_reader && !Open(s, target)) return 1;
        const int st = c->run(s, args);
        if (st != 0) {
            std::fprintf(stderr, "vexa-tool: %s failed, %s\n", c->name, Message(st).c_str());
            return 1;
        }
        i += 1 + c->arg_count;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    Target target;
    bool sim = false;
    std::size_t i = 0;
    try {
        for (; i < words.size() && words[i].rfind("--", 0) == 0; ++i) {
            if (words[i] == "--help") {
                Usage(stdout);
                return 0;
            } else if (words[i] == "--version") {
                vexa_program::PrintVersion("vexa-tool");
                return 0;
            } else if (words[i] == "--sim") {
                sim = true;
            } else if (words[i] == "--card" && i + 1 < words.size()) {
                tool::SetEnvironment("VEXA_SIM_CARD", words[++i]);
            } else if (words[i] == "--port" && i + 1 < words.size()) {
                target.port = tool::Number(words[++i]);
            } else if (words[i] == "--reader" && i + 1 < words.size()) {
                target.path = words[++i];
            } else {
                throw tool::UsageError("unknown option: " + words[i]);
            }
        }
        if (i == words.size()) throw tool::UsageError("no command given");
        if (sim) vexa_program::RunOnSimulator("vexa-tool", argv);

        tool::Session s;
        const int rc = RunCommands(s, target, {words.begin() + static_cast<long>(i), words.end()});
        if (s.open) IC_ExitComm(s.icdev);
        return rc;
    } catch (const tool::UsageError& e) {
        std::fprintf(stderr, "vexa-tool: %s\n\n", e.what());
        Usage(stderr);
        return 2;
    }
}
