// SPDX-License-Identifier: MIT
// usbip-reader COUNT: serves COUNT simulated readers over USB/IP on
// 127.0.0.1:3240 until standard input ends. Commands arrive one per line on
// standard input, answers leave one per line on standard output
// (usbip_server.h).
#include <cstdio>
#include <cstdlib>

#include "tests/kernel/usbip_server.h"

int main(int argc, char** argv) {
    const long count = argc == 2 ? std::strtol(argv[1], nullptr, 10) : 0;
    if (count < 1 || count > 9) {
        std::fprintf(stderr, "usage: usbip-reader COUNT (1 to 9)\n");
        return 2;
    }
    kernel_test::UsbipServer server(static_cast<int>(count));
    if (!server.listening()) return 1;
    return kernel_test::RunCommandLoop(server);
}
