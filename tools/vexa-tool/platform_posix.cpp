// SPDX-License-Identifier: MIT
#include <iconv.h>
#include <unistd.h>

#include <string>

#include "tools/vexa-tool/platform.h"

namespace tool {

void SetEnvironment(const char* name, const std::string& value) {
    setenv(name, value.c_str(), 1);
}

std::string GbkToUtf8(const std::string& gbk) {
    iconv_t cd = iconv_open("UTF-8", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1)) return gbk;
    std::string out(gbk.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(gbk.data());
    char* dst = out.data();
    std::size_t in_left = gbk.size();
    std::size_t out_left = out.size();
    const std::size_t rc = iconv(cd, &in, &in_left, &dst, &out_left);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1)) return gbk;
    out.resize(out.size() - out_left);
    return out;
}

}  // namespace tool
