// SPDX-License-Identifier: MIT
#include "pcsc/driver_log.h"

#include <dlfcn.h>

#include <cstdarg>
#include <cstdio>

namespace ifd {

namespace {

using LogFunction = void (*)(int, const char*, ...);

// Looked up once, as the module loads.
const auto pcscd_log = reinterpret_cast<LogFunction>(dlsym(RTLD_DEFAULT, "log_msg"));

constexpr char kPrefix[] = "ifd-vexa: ";

}  // namespace

void Log(int priority, const char* format, ...) {
    if (pcscd_log == nullptr) return;
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    pcscd_log(priority, "%s%s", kPrefix, text);
}

void LogStatusWord(std::span<const std::uint8_t> command, std::uint16_t status) {
    const int ins = command.size() > 1 ? command[1] : -1;
    Log(PCSC_LOG_DEBUG, "pseudo-APDU INS %02X: %02X %02X", ins & 0xFF, status >> 8, status & 0xFF);
}

}  // namespace ifd
