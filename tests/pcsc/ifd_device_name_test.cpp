// SPDX-License-Identifier: MIT
// The USB location read from the device name pcscd gives a channel.
#include <gtest/gtest.h>

#include <string>

#include "pcsc/device_name.h"

namespace {

TEST(IfdDeviceName, HotplugNamesGiveTheLocationAndAllOthersNone) {
    const std::string over_long =
        "usb:04b4/a112:libudev:0:/dev/bus/usb/001/002" + std::string(600, '/');
    const struct {
        const char* name;
        const char* location;  // nullptr: none
    } cases[] = {
        {"usb:04b4/a112:libudev:0:/dev/bus/usb/001/002", "001/002:0"},
        {"usb:04b4/a112:libudev:255:/dev/bus/usb/999/127", "999/127:255"},
        {"usb:04b4/a112", nullptr},  // reader.conf
        {"", nullptr},
        {nullptr, nullptr},
        {"usb:04b4/a112:libusb-1.0:1:2:0", nullptr},
        {"usb:04b4/a112:libudev:256:/dev/bus/usb/001/002", nullptr},
        {"usb:04b4/a112:libudev::/dev/bus/usb/001/002", nullptr},
        {"usb:04b4/a112:libudev:0:/dev/bus/usb/1/2", nullptr},
        {"usb:04b4/a112:libudev:0:/dev/bus/usb/001/0021", nullptr},
        {"usb:04b4/a112:libudev:0:/dev/bus/usb/001/002/", nullptr},
        {"usb:04b4/a112:libudev:-1:/dev/bus/usb/001/002", nullptr},
        {"usb:04b4/a112:libudev:0:/dev/bus/usb/0x1/002", nullptr},
        {"usb:04b4/a112:libudev:0:/dev/bus/usb/001", nullptr},
        {"usb:1234/a112:libudev:0:/dev/bus/usb/001/002", nullptr},
        {"usb:04b4/a113:libudev:0:/dev/bus/usb/001/002", nullptr},
        {over_long.c_str(), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name != nullptr ? c.name : "(null)");
        EXPECT_EQ(ifd::UsbLocationOf(c.name).value_or("none"), c.location ? c.location : "none");
    }
}

}  // namespace
