// SPDX-License-Identifier: MIT
#include <windows.h>

#include <string>

#include "tools/vexa-tool/platform.h"

namespace tool {
namespace {

// The code page of the library's message texts.
constexpr UINT kGbk = 936;

}  // namespace

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
