// SPDX-License-Identifier: MIT
#include "tools/vexa-tool/commands_common.h"

#include <cstdio>
#include <cstring>

#include "tools/vexa-tool/platform.h"
#include "tools/vexa-tool/text.h"
#include "vexa.h"

namespace tool {

long Number(const std::string& text) {
    std::size_t used = 0;
    long v = 0;
    try {
        v = std::stol(text, &used, 0);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size()) throw UsageError("not a number: " + text);
    return v;
}

std::size_t Count(const std::string& text) {
    const long v = Number(text);
    if (v < 0 || v > 65535) throw UsageError("length out of range: " + text);
    return static_cast<std::size_t>(v);
}

std::vector<std::uint8_t> Bytes(const std::string& hex) {
    auto bytes = ParseHex(hex);
    if (!bytes) throw UsageError("not hexadecimal bytes: " + hex);
    return *bytes;
}

std::vector<std::uint8_t> CodeBytes(const std::string& hex) {
    auto code = Bytes(hex);
    if (code.size() != 2 && code.size() != 3)
        throw UsageError("a code is 4 (SLE4428) or 6 (SLE4442) hex digits: " + hex);
    return code;
}

int ReadAndDump(long offset, const std::string& length,
                const std::function<int(std::int32_t n, std::uint8_t* out)>& read) {
    std::vector<std::uint8_t> buf(Count(length));
    const int st = read(static_cast<std::int32_t>(buf.size()), buf.data());
    if (st == 0) std::fputs(HexDump(buf, offset).c_str(), stdout);
    return st;
}

bool LastCallSucceeded() {
    char text[32] = {};
    IC_GetLastError(text);
    return GbkToUtf8(text) == "执行成功";
}

const std::vector<Command>& Commands() {
    static const std::vector<Command> all = [] {
        std::vector<Command> v;
        AddReaderCommands(v);
        AddCardCommands(v);
        AddCpuCommands(v);
        return v;
    }();
    return all;
}

}  // namespace tool
