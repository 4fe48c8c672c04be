// SPDX-License-Identifier: MIT
// A channel pcscd's hotplug creates opens the reader at the USB device its
// name gives, once that reader is listed; any other name the first free one.
#include "pcsc/device_name.h"
#include "pcsc/open_by_name.h"
#include "tests/pcsc/ifd_fixture.h"

namespace {

TEST(IfdOpenByName, OnlyHotplugNamesGiveAUsbLocation) {
    const std::string over_long =
        "usb:04b4/a112:libudev:0:/dev/bus/usb/001/002" + std::string(600, '2');
    const std::pair<const char*, const char*> cases[] = {
        {"usb:04b4/a112:libudev:0:/dev/bus/usb/001/002", "001/002:0"},
        {"usb:04b4/a112:libudev:255:/dev/bus/usb/999/127", "999/127:255"},
        {"usb:04b4/a112", "none"},  // reader.conf
        {nullptr, "none"},
        {"usb:04b4/a112:libusb-1.0:1:2:0", "none"},
        {"usb:04b4/a112:libudev:256:/dev/bus/usb/001/002", "none"},
        {"usb:04b4/a112:libudev:0:/dev/bus/usb/1/2", "none"},
        {"usb:04b4/a112:libudev:0:/dev/bus/usb/001/0021", "none"},
        {"usb:1234/a112:libudev:0:/dev/bus/usb/001/002", "none"},
        {"usb:04b4/a113:libudev:0:/dev/bus/usb/001/002", "none"},
        {over_long.c_str(), "none"},
    };
    for (const auto& [name, location] : cases)
        EXPECT_EQ(ifd::UsbLocationOf(name).value_or("none"), location) << (name ? name : "null");
}

// Simulated reader N sits at USB bus 1, device 2 + N, interface 0.
struct UsbHost : sim::SimHost {
    std::vector<vexa::ReaderEntry> ListReaders() override {
        std::vector<vexa::ReaderEntry> readers = SimHost::ListReaders();
        for (vexa::ReaderEntry& r : readers)
            r.location = "001/00" + std::to_string(2 + (r.path[4] - '0')) + ":0";
        return readers;
    }
};

TEST(IfdOpenByName, HotplugNameOpensTheReaderAtItsUsbDeviceOnceListed) {
    const char* second = "usb:04b4/a112:libudev:0:/dev/bus/usb/001/003";
    const struct {
        const char* name;
        std::size_t listed_after;  // waits before reader 1 is listed (0: at once)
        int opened;                // reader index, -1: none
        std::size_t waits;
    } cases[] = {{second, 0, 1, 0},
                 {second, 4, 1, 4},
                 {"usb:04b4/a112:libudev:1:/dev/bus/usb/001/003", 0, -1, 60}};
    for (const auto& c : cases) {
        UsbHost host;
        host.AddReader();
        host.AddReader();
        if (c.listed_after > 0) host.Unplug(1);
        sim_test::ScopedHost installed(host);
        std::vector<int> waits;
        ifd::SetListingWait([&](int ms) {
            waits.push_back(ms);
            if (waits.size() == c.listed_after) host.Replug(1);
        });
        EXPECT_EQ(IFDHCreateChannelByName(ifd_test::kLun, const_cast<char*>(c.name)),
                  c.opened < 0 ? IFD_COMMUNICATION_ERROR : IFD_SUCCESS);
        EXPECT_EQ(host.IsOpen(0), c.opened == 0);
        EXPECT_EQ(host.IsOpen(1), c.opened == 1);
        EXPECT_EQ(waits, std::vector<int>(c.waits, 50)) << c.name << " after " << c.listed_after;
        IFDHCloseChannel(ifd_test::kLun);
        ifd::SetListingWait(nullptr);
    }
}

}  // namespace
