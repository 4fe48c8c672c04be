// SPDX-License-Identifier: MIT
// Opening, the exclusive hold on the reader, and unplugging it.
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "tests/kernel/child_process.h"
#include "tests/kernel/steps.h"
#include "vexa.h"

namespace kernel_test {

namespace {

// IC_InitComm as a second process sees it, while this one holds the reader.
long OpenFromAnotherProcess(const std::string& self) {
    ChildProcess other({self, "--try-open"});
    const auto line = other.ReadLine();
    return line ? std::strtol(line->c_str(), nullptr, 10) : 0;
}

// The kernel removes an unplugged device's hidraw node a moment after the
// device is gone; until then an open may still reach the vanishing node.
std::int32_t OpenWhenGone() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::int32_t icdev = IC_InitComm(kPort);
    while (icdev >= 0 && std::chrono::steady_clock::now() < deadline) {
        IC_ExitComm(icdev);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        icdev = IC_InitComm(kPort);
    }
    return icdev;
}

void Replug(Bench& b) {
    b.reader.Do("plug");
    b.tally.Expect("IC_InitComm opens the reader plugged in again", OpenWhenPresent(), kDevice);
}

}  // namespace

std::int32_t OpenWhenPresent() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::int32_t icdev = IC_InitComm(kPort);
    while (icdev < 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        icdev = IC_InitComm(kPort);
    }
    return icdev;
}

void ReaderSteps(Bench& b) {
    char version[511] = {};
    b.tally.Expect("IC_ReadVer", IC_ReadVer(b.icdev, version), 0);
    b.tally.Check("the version reads 1234", std::strcmp(version, "1234") == 0, version);
    b.tally.Expect("IC_Status with a card", IC_Status(b.icdev), 0);
    b.reader.Do("remove");
    b.tally.Expect("IC_Status with the slot empty", IC_Status(b.icdev), 1);
    b.reader.Do("insert sle4442");
    b.tally.Expect("a second port of the same process is refused the held reader",
                   IC_InitComm(kPort + 1), VEXA_ERR_OPEN_PORT);
    b.tally.Expect("a second process is refused the held reader", OpenFromAnotherProcess(b.self),
                   VEXA_ERR_OPEN_PORT);
}

void UnplugSteps(Bench& b) {
    const std::vector<unsigned char> marker{'s', 't', 'i', 'l', 'l', ' ', 'h', 'e', 'r', 'e'};
    const auto n = static_cast<std::int32_t>(marker.size());
    b.reader.Do("insert 24c16");
    b.tally.Expect("IC_InitType 24Cxx before the unplug", IC_InitType(b.icdev, VEXA_TYPE_24C), 0);
    b.tally.Expect("IC_Write24 of a marker", IC_Write24(b.icdev, 0, n, marker.data()), 0);
    // A 2048-byte read asks for 4 reports per piece of 128 bytes: the 21st
    // is the command of the sixth piece.
    b.reader.Do("unplug-at 21");
    std::vector<unsigned char> out(2048);
    b.tally.Expect("the reader unplugged in the middle of IC_Read fails it as a refused report",
                   IC_Read(b.icdev, 0, 2048, out.data()), VEXA_ERR_SEND);
    b.tally.Expect("a later call on the stale handle fails as a refused report", IC_Status(b.icdev),
                   VEXA_ERR_SEND);
    b.tally.Expect("IC_ExitComm after the unplug", IC_ExitComm(b.icdev), 0);
    b.tally.Expect("IC_InitComm finds no reader once the kernel has removed it", OpenWhenGone(),
                   VEXA_ERR_OPEN_PORT);
    Replug(b);
    b.tally.Expect("IC_Status on the reader plugged in again", IC_Status(b.icdev), 0);
    std::vector<unsigned char> back(marker.size());
    b.tally.Expect("IC_Read after the new open", IC_Read(b.icdev, 0, n, back.data()), 0);
    b.tally.Check("the card kept what was written before the unplug", back == marker);

    // IC_ReadVer sends one report and asks for one: the second is the answer.
    b.reader.Do("unplug-at 2");
    char version[511] = {};
    b.tally.Expect(
        "the reader unplugged while an answer is awaited fails it as an undelivered report",
        IC_ReadVer(b.icdev, version), VEXA_ERR_RECEIVE);
    b.tally.Expect("IC_ExitComm after the second unplug", IC_ExitComm(b.icdev), 0);
    Replug(b);
}

}  // namespace kernel_test
