#include <iconv.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform.h"

namespace tool {

// The simulated reader lives in a second build of the library; running
// against it means loading that one instead.
void RunOnSimulator(char** argv) {
    std::string dir;
    for (const char* candidate : {VEXA_SIM_LIBDIR_INSTALLED, VEXA_SIM_LIBDIR_BUILD}) {
        if (std::filesystem::exists(std::string(candidate) + "/libvexa.so.1")) {
            dir = candidate;
            break;
        }
    }
    if (dir.empty()) {
        std::fputs("vexa-tool: the simulated reader library is not installed\n", stderr);
        std::exit(2);
    }
    const char* old = std::getenv("LD_LIBRARY_PATH");
    const std::string path = old && *old ? dir + ":" + old : dir;
    setenv("LD_LIBRARY_PATH", path.c_str(), 1);
    setenv("VEXA_TOOL_ON_SIM", "1", 1);
    execv("/proc/self/exe", argv);
    std::perror("vexa-tool: exec");
    std::exit(2);
}

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
