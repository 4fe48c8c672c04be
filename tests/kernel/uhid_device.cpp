// SPDX-License-Identifier: MIT
#include "tests/kernel/uhid_device.h"

#include <fcntl.h>
#include <linux/input.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <utility>

#include "tests/kernel/report_descriptor.h"

namespace kernel_test {

namespace {

uhid_event CreateRequest(const DeviceIdentity& identity) {
    uhid_event ev{};
    ev.type = UHID_CREATE2;
    auto& req = ev.u.create2;
    std::snprintf(reinterpret_cast<char*>(req.name), sizeof req.name, "%s", identity.name.c_str());
    // BUS_USB so that the device looks like the USB reader it stands for.
    req.bus = BUS_USB;
    req.vendor = identity.vendor;
    req.product = identity.product;
    req.rd_size = sizeof kReportDescriptor;
    std::copy(std::begin(kReportDescriptor), std::end(kReportDescriptor), req.rd_data);
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
