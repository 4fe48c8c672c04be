// SPDX-License-Identifier: MIT
// Readers plugged into the kernel as USB devices while pcscd runs: pcscd
// finds them through udev, our driver serves their cards to a PC/SC client,
// and one pulled in the middle of a read leaves the others working.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "tests/kernel/child_process.h"
#include "tests/kernel/pcsc_client.h"
#include "tests/kernel/steps.h"
#include "vexa.h"

namespace kernel_test {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr char kUsbip[] = "/usr/sbin/usbip";
// Enumeration, udev and pcscd's hotplug under an emulated processor take about
// 1 s, a pulled reader's read 7 s; short enough that a run of failures stays
// within the machine's time limit.
constexpr Seconds kPatience{15};

const Bytes kOk{0x90, 0x00};
const Bytes kSelectSle4442{0xFF, 0xA4, 0x00, 0x00, 0x01, 0x10};
const Bytes kReadSle4442{0xFF, 0xB0, 0x00, 0x00, 0x08};
const Bytes kSle4442Factory{0xA2, 0x13, 0x10, 0x91, 0xFF, 0xFF, 0x81, 0x15, 0x90, 0x00};
const Bytes kGetChallenge{0x00, 0x84, 0x00, 0x00, 0x08};

struct Hotplug {
    ReaderControl& server;
    Tally& tally;
    PcscClient& pcsc;
    std::vector<std::string> names;  // pcscd's name of reader N, at N
};

std::string Reader(int n) {
    return "reader " + std::to_string(n);
}

// `usbip attach` of reader n, timed until pcscd lists it and until it has
// found the card in it.
void Plug(Hotplug& h, int n) {
    const auto known = h.pcsc.Readers();
    const auto start = std::chrono::steady_clock::now();
    const auto since = [&] { return Seconds(std::chrono::steady_clock::now() - start).count(); };
    ChildProcess tool({kUsbip, "attach", "-r", "127.0.0.1", "-b", "1-" + std::to_string(n)});
    h.tally.Expect("usbip attach plugs " + Reader(n) + " in", tool.Wait(), 0);
    h.tally.Check("pcscd lists " + Reader(n), !h.pcsc.WaitForNewReader(known, kPatience).empty());
    const double listed = since();
    const std::string name = h.pcsc.WaitForNewReader(known, kPatience, true);
    h.tally.Check("pcscd finds the card in " + Reader(n), !name.empty());
    std::printf(
        "figure %s from usbip attach to listed by pcscd: %.2f s, to its card found: %.2f s "
        "(\"%s\")\n",
        Reader(n).c_str(), listed, since(), name.c_str());
    std::fflush(stdout);
    h.names[static_cast<std::size_t>(n)] = name;
}

Bytes Send(Hotplug& h, PcscCard& card, const std::string& step, const Bytes& apdu) {
    LONG rv = 0;
    const Bytes response = card.Transmit(apdu, rv);
    h.tally.Expect(step + " is transmitted", rv, SCARD_S_SUCCESS);
    return response;
}

void ReadSle4442(Hotplug& h, const std::string& step) {
    PcscCard card(h.pcsc, h.names[1]);
    h.tally.Expect(step + ": connect to the SLE4442", card.status(), SCARD_S_SUCCESS);
    h.tally.Check(step + ": select the SLE4442",
                  Send(h, card, step + ": FF A4", kSelectSle4442) == kOk);
    h.tally.Check(step + ": FF B0 reads the factory bytes",
                  Send(h, card, step + ": FF B0", kReadSle4442) == kSle4442Factory);
}

// GET CHALLENGE: 8 random bytes, 90 00.
void Challenge(Hotplug& h, PcscCard& card, const std::string& step) {
    const Bytes r = Send(h, card, step, kGetChallenge);
    h.tally.Check(step + " answers 8 bytes and 90 00",
                  r.size() == 10 && r[8] == 0x90 && r[9] == 0x00,
                  "length " + std::to_string(r.size()));
}

void CpuCards(Hotplug& h) {
    PcscCard t1(h.pcsc, h.names[2]);
    h.tally.Expect("connect to the T=1 CPU card in reader 2", t1.status(), SCARD_S_SUCCESS);
    Challenge(h, t1, "GET CHALLENGE to the T=1 card, the only CPU card");
    Plug(h, 3);
    PcscCard t0(h.pcsc, h.names[3]);
    h.tally.Expect("connect to the T=0 CPU card in reader 3", t0.status(), SCARD_S_SUCCESS);
    for (const char* round : {"", " again"}) {
        Challenge(h, t0, std::string("GET CHALLENGE to the T=0 card") + round);
        Challenge(h, t1, std::string("GET CHALLENGE to the T=1 card") + round);
    }
}

// From sysfs alone, while pcscd holds every reader: each with its serial
// number and the USB device node and interface of its location.
void Listing(Hotplug& h) {
    VexaReaderInfo readers[8] = {};
    const int count = IC_ListReaders(readers, 8);
    h.tally.Expect("IC_ListReaders lists the three USB readers", count, 3);
    std::vector<std::string> serials;
    for (const VexaReaderInfo& r :
         std::span(readers, static_cast<std::size_t>(std::clamp(count, 0, 8)))) {
        unsigned bus = 0, device = 0, interface = 1;
        char node[32] = {};
        const bool parsed = std::sscanf(r.location, "%3u/%3u:%u", &bus, &device, &interface) == 3;
        std::snprintf(node, sizeof node, "/dev/bus/usb/%03u/%03u", bus, device);
        h.tally.Check(
            std::string("the location of ") + r.serial + " is its USB device node, interface 0",
            parsed && interface == 0 && ::access(node, F_OK) == 0, r.location);
        h.tally.Expect(
            std::string("IC_InitCommPath is refused ") + r.serial + ", which pcscd holds",
            IC_InitCommPath(kPort, r.path), VEXA_ERR_OPEN_PORT);
        serials.emplace_back(r.serial);
    }
    std::sort(serials.begin(), serials.end());
    h.tally.Check("the listed serial numbers are those of the readers",
                  serials == std::vector<std::string>{"VEXA-USB-1", "VEXA-USB-2", "VEXA-USB-3"});
}

void PullMidRead(Hotplug& h) {
    const auto start = std::chrono::steady_clock::now();
    const auto since = [&] { return Seconds(std::chrono::steady_clock::now() - start).count(); };
    {
        PcscCard card(h.pcsc, h.names[1]);
        Send(h, card, "select the SLE4442 before the pull", kSelectSle4442);
        // The read's command (SLE4442 read, B4) reaches the reader, its answer
        // never comes.
        h.server.Do("1 unplug-after B4");
        LONG rv = 0;
        card.Transmit(kReadSle4442, rv);
        h.tally.Check("the read of the reader pulled in the middle fails", rv != SCARD_S_SUCCESS,
                      "it succeeded");
    }
    const double failed = since();
    h.tally.Check("pcscd drops the pulled reader", h.pcsc.WaitUntilGone(h.names[1], kPatience));
    std::printf(
        "figure reader 1 pulled in the middle of a read: the read failed after %.2f s, "
        "pcscd dropped the reader after %.2f s\n",
        failed, since());
    h.tally.Expect("pcscd still lists readers 2 and 3", static_cast<long>(h.pcsc.Readers().size()),
                   2);
    PcscCard t1(h.pcsc, h.names[2]);
    h.tally.Expect("reader 2 can be connected after the pull", t1.status(), SCARD_S_SUCCESS);
    Challenge(h, t1, "GET CHALLENGE to reader 2 after the pull");
}

// The vhci-hcd port `usbip port` shows reader n imported on; -1 if none.
int VhciPort(int n) {
    ChildProcess tool({kUsbip, "port"});
    const std::string remote = "/1-" + std::to_string(n);
    int port = -1;
    int found = -1;
    for (auto line = tool.ReadLine(); line; line = tool.ReadLine()) {
        std::sscanf(line->c_str(), "Port %d:", &port);
        if (line->size() >= remote.size() &&
            line->compare(line->size() - remote.size(), remote.size(), remote) == 0) {
            found = port;
        }
    }
    return tool.Wait() == 0 ? found : -1;
}

// Unplugged the orderly way, by `usbip detach`.
void Detach(Hotplug& h, int n) {
    const int port = VhciPort(n);
    h.tally.Check("usbip port shows " + Reader(n), port >= 0);
    ChildProcess tool({kUsbip, "detach", "-p", std::to_string(port)});
    h.tally.Expect("usbip detach unplugs " + Reader(n), tool.Wait(), 0);
    h.tally.Check("pcscd drops " + Reader(n) + " detached",
                  h.pcsc.WaitUntilGone(h.names[static_cast<std::size_t>(n)], kPatience));
    PcscCard t1(h.pcsc, h.names[2]);
    Challenge(h, t1, "GET CHALLENGE to reader 2 after the detach");
}

}  // namespace

void HotplugSteps(ReaderControl& server, Tally& tally) {
    PcscClient pcsc(kPatience);
    if (!tally.Check("the PC/SC client reaches pcscd", pcsc.ok())) return;
    tally.Check("the USB/IP readers get their cards", server.Do("1 insert sle4442") &&
                                                          server.Do("2 insert cpu-t1") &&
                                                          server.Do("3 insert cpu-t0"));
    Hotplug h{server, tally, pcsc, std::vector<std::string>(4)};
    Plug(h, 1);
    ReadSle4442(h, "reader 1");
    Plug(h, 2);
    tally.Expect("pcscd lists both readers", static_cast<long>(pcsc.Readers().size()), 2);
    CpuCards(h);
    Listing(h);
    PullMidRead(h);
    Plug(h, 1);
    ReadSle4442(h, "reader 1 plugged in again");
    Detach(h, 3);
}

}  // namespace kernel_test
