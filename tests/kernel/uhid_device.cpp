// SPDX-License-Identifier: MIT
#include "tests/kernel/uhid_device.h"

#include <fcntl.h>
#include <linux/input.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <utility>

namespace kernel_test {

namespace {

// Vendor page 0xFF00, one application collection holding feature report 0:
// 64 bytes of 0..255.
constexpr std::uint8_t kDescriptor[] = {
    0x06, 0x00, 0xFF,  // usage page, vendor defined
    0x09, 0x01,        // usage 1
    0xA1, 0x01,        // collection, application
    0x09, 0x01,        //   usage 1
    0x15, 0x00,        //   logical minimum 0
    0x26, 0xFF, 0x00,  //   logical maximum 255
    0x75, 0x08,        //   report size 8 bits
    0x95, 0x40,        //   report count 64
    0xB1, 0x02,        //   feature: data, variable, absolute
    0xC0,              // end collection
};

uhid_event CreateRequest(const DeviceIdentity& identity) {
    uhid_event ev{};
    ev.type = UHID_CREATE2;
    auto& req = ev.u.create2;
    std::snprintf(reinterpret_cast<char*>(req.name), sizeof req.name, "%s", identity.name.c_str());
    // BUS_USB so that the device looks like the USB reader it stands for.
    req.bus = BUS_USB;
    req.vendor = identity.vendor;
    req.product = identity.product;
    req.rd_size = sizeof kDescriptor;
    std::copy(std::begin(kDescriptor), std::end(kDescriptor), req.rd_data);
    return ev;
}

}  // namespace

UhidDevice::UhidDevice(const DeviceIdentity& identity) {
    fd_ = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
    if (fd_ < 0) {
        std::perror("uhid-reader: /dev/uhid");
        return;
    }
    if (!Write(CreateRequest(identity))) {
        std::perror("uhid-reader: creating the device");
        ::close(std::exchange(fd_, -1));
    }
}

UhidDevice::~UhidDevice() {
    if (fd_ >= 0) ::close(fd_);
}

std::optional<uhid_event> UhidDevice::Read() {
    uhid_event ev{};
    if (::read(fd_, &ev, sizeof ev) <= 0) return std::nullopt;
    return ev;
}

bool UhidDevice::Write(const uhid_event& event) {
    return ::write(fd_, &event, sizeof event) == static_cast<ssize_t>(sizeof event);
}

}  // namespace kernel_test
