// SPDX-License-Identifier: MIT
// kernel-scenario: runs the production library against the virtual reader
// through the kernel's hidraw driver.
//
//   kernel-scenario UHID_READER USBIP_READER
//                                 starts those uhid-reader and usbip-reader
//                                 programs, runs every step (the USB/IP ones
//                                 through pcscd), prints a line per step,
//                                 the figures and "N passed, M failed"; exit
//                                 status 1 on any failure
//   kernel-scenario --try-open    prints what IC_InitComm(100) returns (the
//                                 second process of the exclusive-open step)
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>

#include "tests/kernel/steps.h"
#include "tests/kernel/traffic.h"
#include "vexa.h"

namespace {

using namespace kernel_test;

constexpr char kSelf[] = "/proc/self/exe";

// The hidraw nodes the kernel made: the decoy's and the reader's.
long HidrawNodes() {
    std::error_code ec;
    std::filesystem::directory_iterator nodes("/sys/class/hidraw", ec);
    return ec ? 0 : std::distance(nodes, std::filesystem::directory_iterator());
}

void UhidSteps(const std::string& uhid_reader, Tally& tally) {
    ReaderControl reader({uhid_reader});
    const bool ready = tally.Check("the virtual reader starts", reader.started()) &&
                       reader.Do("decoy") && reader.Do("insert sle4442") && reader.Do("plug");
    const std::int32_t icdev = ready ? OpenWhenPresent() : 0;
    if (tally.Expect("IC_InitComm opens the reader past another HID device", icdev, kDevice)) {
        tally.Expect("the kernel shows the decoy and the reader", HidrawNodes(), 2);
        Bench b{reader, tally, icdev, kSelf};
        const Traffic all = Measure(reader, [&] {
            ReaderSteps(b);
            Sle4442Steps(b);
            EepromSteps(b);
            CpuSteps(b, "cpu-t0", 30, 0);
            CpuSteps(b, "cpu-t1", 31, 1);
            UnplugSteps(b);
        });
        PrintFigure("whole scenario", all);
        PrintPauses(reader);
        tally.Expect("IC_ExitComm", IC_ExitComm(icdev), 0);
    }
}

int RunScenario(const std::string& uhid_reader, const std::string& usbip_reader) {
    Tally tally;
    UhidSteps(uhid_reader, tally);
    ReaderControl server({usbip_reader, "3"});
    if (tally.Check("the USB/IP reader server starts", server.started())) {
        HotplugSteps(server, tally);
    }
    tally.Summary();
    return tally.failed() == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--try-open") {
        std::printf("%d\n", IC_InitComm(kPort));
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: kernel-scenario UHID_READER USBIP_READER | --try-open\n");
        return 2;
    }
    return RunScenario(argv[1], argv[2]);
}
