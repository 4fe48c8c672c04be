// SPDX-License-Identifier: MIT
// The hidraw host against scripted system calls and a made-up
// /sys/class/hidraw: which nodes it opens and how, the lock, the vendor and
// product match, and the layout of the feature-report ioctls.
#include "vexa/link/hidraw_host.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/hidraw.h>
#include <sys/file.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr std::int16_t kReaderVendor = 0x04B4;
constexpr std::int16_t kReaderProduct = static_cast<std::int16_t>(0xA112);

struct Node {
    std::int16_t vendor = 0x046D;  // some other HID device
    std::int16_t product = 0x0001;
    bool opens = true;
    bool locks = true;
    bool hid = true;  // false: a file or another kind of device
};

struct IoctlCall {
    int fd;
    unsigned long request;
    std::array<std::uint8_t, vexa::kReportSize> report_in;  // feature ioctls only
};

// Nodes by device path; fds are handed out from 3 up in opening order.
class FakeSyscalls : public vexa::Syscalls {
  public:
    std::map<std::string, Node> nodes;
    bool refuse_features = false;
    std::array<std::uint8_t, vexa::kReportSize> report_to_deliver{};
    int next_fd = 3;  // handed out in opening order

    std::vector<std::pair<std::string, int>> opens;  // path, flags
    std::map<int, std::string> path_of;
    std::vector<int> closed;
    std::vector<std::pair<int, int>> locks;  // fd, operation
    std::vector<IoctlCall> ioctls;
    std::vector<int> sleeps;

    int Open(const char* path, int flags) override {
        opens.emplace_back(path, flags);
        const auto it = nodes.find(path);
        if (it == nodes.end() || !it->second.opens) return -1;
        path_of[next_fd] = path;
        return next_fd++;
    }
    int Close(int fd) override {
        closed.push_back(fd);
        return 0;
    }
    int Flock(int fd, int operation) override {
        locks.emplace_back(fd, operation);
        return nodes[path_of[fd]].locks ? 0 : -1;
    }
    int Ioctl(int fd, unsigned long request, void* arg) override {
        IoctlCall call{fd, request, {}};
        if (request == HIDIOCGRAWINFO) {
            ioctls.push_back(call);
            const Node& node = nodes[path_of[fd]];
            if (!node.hid) return -1;
            auto* info = static_cast<hidraw_devinfo*>(arg);
            info->bustype = 3;
            info->vendor = node.vendor;
            info->product = node.product;
            return 0;
        }
        auto* report = static_cast<std::uint8_t*>(arg);
        std::copy_n(report, vexa::kReportSize, call.report_in.begin());
        ioctls.push_back(call);
        if (refuse_features) return -1;
        if (request == HIDIOCGFEATURE(vexa::kReportSize)) {
            std::copy(report_to_deliver.begin(), report_to_deliver.end(), report);
        }
        return static_cast<int>(vexa::kReportSize);
    }
    void SleepMs(int ms) override { sleeps.push_back(ms); }

    std::vector<std::string> OpenedPaths() const {
        std::vector<std::string> paths;
        for (const auto& [path, flags] : opens) paths.push_back(path);
        return paths;
    }
    bool WasClosed(int fd) const {
        return std::find(closed.begin(), closed.end(), fd) != closed.end();
    }
};

class HidrawHostTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/hidraw_host_test.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        class_dir = pattern;
        // Listed in an order that is neither numeric nor alphabetical, with
        // entries that are not hidraw nodes.
        for (const char* name : {"hidraw10", "hidraw2", "hidraw9", "hidraw0", "hidrawX", "hidraw",
                                 "event3", "hidraw1a"}) {
            std::ofstream(fs::path(class_dir) / name).put('\n');
        }
        for (const char* n : {"0", "2", "9", "10"}) sys.nodes["/dev/hidraw" + std::string(n)];
    }
    void TearDown() override { fs::remove_all(class_dir); }

    void MakeReader(const std::string& path) {
        sys.nodes[path].vendor = kReaderVendor;
        sys.nodes[path].product = kReaderProduct;
    }
    // A host with a reader opened on hidraw0 (fd 3).
    vexa::Handle OpenReaderOnFirstNode(vexa::HidrawHost& host) {
        MakeReader("/dev/hidraw0");
        return host.OpenReader();
    }

    FakeSyscalls sys;
    std::string class_dir;
};

const std::vector<std::string> kNumericOrder = {"/dev/hidraw0", "/dev/hidraw2", "/dev/hidraw9",
                                                "/dev/hidraw10"};

}  // namespace

TEST_F(HidrawHostTest, TriesNodesInNumericOrderAndClosesEveryForeignDevice) {
    vexa::HidrawHost host(sys, class_dir, "/dev");
    EXPECT_EQ(host.OpenReader(), 0);
    EXPECT_EQ(sys.OpenedPaths(), kNumericOrder);
    for (const auto& [path, flags] : sys.opens) EXPECT_EQ(flags, O_RDWR | O_CLOEXEC) << path;
    EXPECT_EQ(sys.closed, (std::vector<int>{3, 4, 5, 6}));
}

TEST_F(HidrawHostTest, KeepsTheFirstReaderLockedExclusivelyAndLooksNoFurther) {
    MakeReader("/dev/hidraw9");
    MakeReader("/dev/hidraw10");
    vexa::HidrawHost host(sys, class_dir, "/dev");
    const vexa::Handle h = host.OpenReader();
    EXPECT_EQ(sys.OpenedPaths(),
              (std::vector<std::string>(kNumericOrder.begin(), kNumericOrder.begin() + 3)));
    ASSERT_EQ(h, 5);
    EXPECT_EQ(sys.path_of[5], "/dev/hidraw9");
    EXPECT_EQ(sys.locks.back(), std::make_pair(5, LOCK_EX | LOCK_NB));
    EXPECT_EQ(sys.closed, (std::vector<int>{3, 4}));
    EXPECT_FALSE(sys.WasClosed(5));
}

TEST_F(HidrawHostTest, ReaderThatCannotBeLockedOrOpenedIsSkipped) {
    MakeReader("/dev/hidraw0");
    sys.nodes["/dev/hidraw0"].locks = false;  // held by another process
    MakeReader("/dev/hidraw2");
    sys.nodes["/dev/hidraw2"].opens = false;  // no permission
    MakeReader("/dev/hidraw9");
    vexa::HidrawHost host(sys, class_dir, "/dev");
    const vexa::Handle h = host.OpenReader();
    EXPECT_EQ(h, 4);
    EXPECT_EQ(sys.path_of[4], "/dev/hidraw9");
    EXPECT_TRUE(sys.WasClosed(3));  // the lock failure does not leak its fd
    // The locked reader was never identified: it does not match whatever it is.
    for (const IoctlCall& c : sys.ioctls) EXPECT_NE(c.fd, 3);
}

TEST_F(HidrawHostTest, SingleReaderHeldElsewhereMeansNoReader) {
    MakeReader("/dev/hidraw10");
    sys.nodes["/dev/hidraw10"].locks = false;
    vexa::HidrawHost host(sys, class_dir, "/dev");
    EXPECT_EQ(host.OpenReader(), 0);
    EXPECT_EQ(sys.closed.size(), sys.opens.size());
}

TEST_F(HidrawHostTest, MissingClassDirectoryMeansNoReader) {
    vexa::HidrawHost host(sys, class_dir + "/absent", "/dev");
    EXPECT_EQ(host.OpenReader(), 0);
    EXPECT_TRUE(sys.opens.empty());
}

TEST_F(HidrawHostTest, SetFeatureHandsTheReportOverUnchanged) {
    vexa::HidrawHost host(sys, class_dir, "/dev");
    const vexa::Handle h = OpenReaderOnFirstNode(host);
    ASSERT_NE(h, 0);
    std::uint8_t report[vexa::kReportSize] = {0x00, 0x21, 0xA2, 0x00, 0x83};
    report[64] = 0x5A;
    EXPECT_TRUE(host.SetFeature(h, report));
    const IoctlCall& c = sys.ioctls.back();
    EXPECT_EQ(c.fd, h);
    EXPECT_EQ(c.request, HIDIOCSFEATURE(65));
    EXPECT_TRUE(std::equal(c.report_in.begin(), c.report_in.end(), report));
}

TEST_F(HidrawHostTest, GetFeatureAsksForReportZeroAndDeliversTheBytes) {
    vexa::HidrawHost host(sys, class_dir, "/dev");
    const vexa::Handle h = OpenReaderOnFirstNode(host);
    ASSERT_NE(h, 0);
    sys.report_to_deliver = {0x00, 0x12, 0xA2, 0x01, 0x90, 0x21};
    std::uint8_t report[vexa::kReportSize];
    std::fill(std::begin(report), std::end(report), 0xEE);
    EXPECT_TRUE(host.GetFeature(h, report));
    const IoctlCall& c = sys.ioctls.back();
    EXPECT_EQ(c.fd, h);
    EXPECT_EQ(c.request, HIDIOCGFEATURE(65));
    EXPECT_EQ(c.report_in[0], 0x00);
    EXPECT_TRUE(std::equal(std::begin(report), std::end(report), sys.report_to_deliver.begin()));
}

TEST_F(HidrawHostTest, RefusedFeatureIoctlIsReportedAsFailure) {
    vexa::HidrawHost host(sys, class_dir, "/dev");
    const vexa::Handle h = OpenReaderOnFirstNode(host);
    sys.refuse_features = true;
    std::uint8_t report[vexa::kReportSize] = {};
    EXPECT_FALSE(host.SetFeature(h, report));
    EXPECT_FALSE(host.GetFeature(h, report));
}

TEST_F(HidrawHostTest, HandlesItDidNotOpenAreNeverUsedOrClosed) {
    vexa::HidrawHost host(sys, class_dir, "/dev");
    const vexa::Handle h = OpenReaderOnFirstNode(host);
    ASSERT_EQ(h, 3);
    const std::size_t ioctls_before = sys.ioctls.size();
    std::uint8_t report[vexa::kReportSize] = {};
    for (const vexa::Handle stranger : {vexa::Handle{0}, vexa::Handle{1}, vexa::Handle{4}}) {
        EXPECT_FALSE(host.SetFeature(stranger, report));
        EXPECT_FALSE(host.GetFeature(stranger, report));
        host.Close(stranger);
    }
    EXPECT_EQ(sys.ioctls.size(), ioctls_before);
    EXPECT_TRUE(sys.closed.empty());

    host.Close(h);
    host.Close(h);  // a second close must not close whatever now has that number
    EXPECT_EQ(sys.closed, std::vector<int>{3});
    EXPECT_FALSE(host.SetFeature(h, report));
}

TEST_F(HidrawHostTest, WaitsAreForwarded) {
    vexa::HidrawHost host(sys, class_dir, "/dev");
    host.SleepMs(15);
    EXPECT_EQ(sys.sleeps, std::vector<int>{15});
}

// Descriptor 0 (standard input closed by a daemon) would be handle 0, which
// means "no reader": such a node is closed and the next one taken.
TEST_F(HidrawHostTest, DescriptorZeroIsNeverTakenForAReader) {
    sys.next_fd = 0;
    MakeReader("/dev/hidraw0");
    MakeReader("/dev/hidraw2");
    vexa::HidrawHost host(sys, class_dir, "/dev");
    const vexa::Handle h = host.OpenReader();
    EXPECT_EQ(h, 1);
    EXPECT_EQ(sys.path_of[1], "/dev/hidraw2");
    EXPECT_TRUE(sys.WasClosed(0));
    std::uint8_t report[vexa::kReportSize] = {};
    EXPECT_FALSE(host.GetFeature(0, report));
}

namespace {

// /sys/class/hidraw as the kernel lays it out: each node's "device" links to
// its HID device, below a USB interface and device, or below the UHID misc
// device for a reader made in user space.
class HidrawListing : public HidrawHostTest {
  protected:
    void SetUp() override {
        HidrawHostTest::SetUp();
        sys_dir = fs::path(class_dir) / "sys";
        AddNode(3, "usb3/3-1/3-1:1.2/0003:04B4:A112.0004", "0003:000004B4:0000A112", "A1B2");
        AddNode(1, "virtual/misc/uhid/0003:04B4:A112.0002", "0003:000004B4:0000A112", "");
        AddNode(4, "usb1/1-4/1-4:1.0/0003:046D:C077.0003", "0003:0000046D:0000C077", "X");
        WriteFile("usb3/3-1/3-1:1.2/bInterfaceNumber", "02");
        WriteFile("usb3/3-1/busnum", "3");
        WriteFile("usb3/3-1/devnum", "17");
        WriteFile("usb1/1-4/1-4:1.0/bInterfaceNumber", "00");
    }
    void WriteFile(const std::string& path, const std::string& text) {
        std::ofstream(sys_dir / "devices" / path) << text << '\n';
    }
    void AddNode(int n, const std::string& device, const std::string& ids,
                 const std::string& serial) {
        const fs::path node = fs::path(class_dir) / ("hidraw" + std::to_string(n));
        fs::create_directories(node);
        fs::create_directories(sys_dir / "devices" / device);
        fs::create_directory_symlink(sys_dir / "devices" / device, node / "device");
        WriteFile(device + "/uevent",
                  "DRIVER=hid-generic\nHID_ID=" + ids + "\nHID_NAME=Reader\nHID_UNIQ=" + serial);
    }
    fs::path sys_dir;
};

}  // namespace

TEST_F(HidrawListing, ListsReadersFromSysfsAloneInNumericOrder) {
    vexa::HidrawHost host(sys, class_dir, "/dev");
    const auto readers = host.ListReaders();
    ASSERT_EQ(readers.size(), 2u);
    EXPECT_EQ(readers[0].path, "/dev/hidraw1");
    EXPECT_EQ(readers[0].serial, "");
    EXPECT_EQ(readers[0].location, "");  // UHID: no USB parent
    EXPECT_EQ(readers[1].path, "/dev/hidraw3");
    EXPECT_EQ(readers[1].serial, "A1B2");
    EXPECT_EQ(readers[1].location, "003/017:2");
    EXPECT_TRUE(sys.opens.empty());
}

TEST_F(HidrawListing, OpensByPathOnlyWhatProvesToBeAFreeReader) {
    MakeReader("/dev/hidraw3");
    MakeReader("/dev/hidraw1");
    sys.nodes["/dev/hidraw1"].locks = false;  // held by another process
    sys.nodes["/tmp/file"].hid = false;
    MakeReader("/elsewhere/reader");
    const struct {
        const char* path;
        bool opens;
    } cases[] = {{"/dev/hidraw3", true}, {"/dev/hidraw1", false}, {"/dev/hidraw2", false},
                 {"/tmp/file", false},   {"/dev/gone", false},    {"/elsewhere/reader", true}};
    vexa::HidrawHost host(sys, class_dir, "/dev");
    for (const auto& c : cases) EXPECT_EQ(host.OpenReaderAt(c.path) != 0, c.opens) << c.path;
    // Whatever opened and did not prove to be a free reader was closed again.
    EXPECT_EQ(sys.closed.size(), sys.path_of.size() - 2);
}
