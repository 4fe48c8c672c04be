// SPDX-License-Identifier: MIT
// A HID device made from user space through /dev/uhid. The kernel presents it
// like any other (a hidraw node once hid-generic binds it) and passes the
// requests for its reports back to us as events on the descriptor.
#pragma once

#include <linux/uhid.h>

#include <cstdint>
#include <optional>
#include <string>

namespace kernel_test {

struct DeviceIdentity {
    std::string name;
    std::uint16_t vendor;
    std::uint16_t product;
};

class UhidDevice {
  public:
    // Creates a USB device of that identity whose one report is a 64-byte
    // vendor-defined feature report without a report number. ok() tells
    // whether the kernel took it.
    explicit UhidDevice(const DeviceIdentity& identity);
    // Closing the descriptor removes the device, as an unplug does.
    ~UhidDevice();
    UhidDevice(const UhidDevice&) = delete;
    UhidDevice& operator=(const UhidDevice&) = delete;

    bool ok() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    std::optional<uhid_event> Read();
    bool Write(const uhid_event& event);

  private:
    int fd_ = -1;
};

}  // namespace kernel_test
