// SPDX-License-Identifier: MIT
// The part of iconv the tests use (GBK and UTF-8, whole buffers), over the
// code pages of Windows, whose C library has no iconv.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <string>

using iconv_t = void*;

inline UINT IconvCodePage(const char* name) {
    return std::strcmp(name, "GBK") == 0 ? 936 : std::strcmp(name, "UTF-8") == 0 ? CP_UTF8 : 0;
}

// The handle carries both code pages: `to` in the high half, `from` in the low.
inline iconv_t iconv_open(const char* to, const char* from) {
    const UINT t = IconvCodePage(to), f = IconvCodePage(from);
    if (t == 0 || f == 0) return reinterpret_cast<iconv_t>(-1);
    return reinterpret_cast<iconv_t>((std::size_t{t} << 16) | f);
}

inline int iconv_close(iconv_t) {
    return 0;
}

inline std::size_t iconv(iconv_t cd, char** in, std::size_t* in_left, char** out,
                         std::size_t* out_left) {
    const auto codes = reinterpret_cast<std::size_t>(cd);
    const int n = static_cast<int>(*in_left);
    std::wstring wide(*in_left, L'\0');
    const int w = MultiByteToWideChar(codes & 0xFFFF, 0, *in, n, wide.data(), n);
    const int m = WideCharToMultiByte(static_cast<UINT>(codes >> 16), 0, wide.data(), w, *out,
                                      static_cast<int>(*out_left), nullptr, nullptr);
    if (n > 0 && (w == 0 || m == 0)) return static_cast<std::size_t>(-1);
    *in += n;
    *in_left = 0;
    *out += m;
    *out_left -= static_cast<std::size_t>(m);
    return 0;
}
