// SPDX-License-Identifier: MIT
// uhid-reader: plugs the simulated reader into the kernel through /dev/uhid
// and serves its feature reports until standard input ends. Commands arrive
// one per line on standard input, answers leave one per line on standard
// output (virtual_reader.h).
#include "tests/kernel/command_loop.h"
#include "tests/kernel/virtual_reader.h"

int main() {
    kernel_test::VirtualReader reader;
    return kernel_test::RunCommandLoop(reader);
}
