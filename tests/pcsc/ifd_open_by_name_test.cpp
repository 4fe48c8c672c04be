// SPDX-License-Identifier: MIT
// A channel pcscd's hotplug creates opens the reader at the USB device it
// names, once that reader is listed.
#include <string>
#include <vector>

#include "pcsc/open_by_name.h"
#include "tests/pcsc/ifd_fixture.h"

namespace {

// Simulated reader N sits at USB bus 1, device 2 + N, interface 0.
class UsbHost : public sim::SimHost {
  public:
    std::vector<vexa::ReaderEntry> ListReaders() override {
        std::vector<vexa::ReaderEntry> readers = SimHost::ListReaders();
        for (vexa::ReaderEntry& r : readers)
            r.location = "001/00" + std::to_string(2 + std::stoi(r.path.substr(4))) + ":0";
        return readers;
    }
};

TEST(IfdOpenByName, HotplugNameOpensTheReaderAtItsUsbDeviceOnceListed) {
    const struct {
        const char* name;
        std::size_t plugged_after;  // waits before reader 1 is listed
        RESPONSECODE result;
        int opened;  // reader index, -1: none
        std::size_t waits;
    } cases[] = {
        {"usb:04b4/a112:libudev:0:/dev/bus/usb/001/003", 0, IFD_SUCCESS, 1, 0},
        {"usb:04b4/a112:libudev:0:/dev/bus/usb/001/003", 4, IFD_SUCCESS, 1, 4},
        {"usb:04b4/a112:libudev:0:/dev/bus/usb/001/003", 61, IFD_COMMUNICATION_ERROR, -1, 60},
        {"usb:04b4/a112:libudev:1:/dev/bus/usb/001/003", 0, IFD_COMMUNICATION_ERROR, -1, 60},
        {"usb:04b4/a112", 0, IFD_SUCCESS, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UsbHost host;
        host.AddReader();
        host.AddReader();
        if (c.plugged_after > 0) host.Unplug(1);
        sim_test::ScopedHost installed(host);
        std::vector<int> waits;
        ifd::SetListingWait([&](int ms) {
            waits.push_back(ms);
            if (waits.size() == c.plugged_after) host.Replug(1);
        });
        EXPECT_EQ(IFDHCreateChannelByName(ifd_test::kLun, const_cast<char*>(c.name)), c.result);
        EXPECT_EQ(host.IsOpen(0), c.opened == 0);
        EXPECT_EQ(host.IsOpen(1), c.opened == 1);
        EXPECT_EQ(waits, std::vector<int>(c.waits, 50));
        IFDHCloseChannel(ifd_test::kLun);
        ifd::SetListingWait(nullptr);
    }
}

}  // namespace
