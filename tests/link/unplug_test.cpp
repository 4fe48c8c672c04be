// SPDX-License-Identifier: MIT
// The reader unplugged while in use, and plugged in again: calls fail with
// the transport's statuses and return, and closing and reopening the port
// brings the reader back. Two processes wanting the same reader: one gets
// it, the other a clean failure, through the hidraw host's exclusive lock.
#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <numeric>

#include "sim/card_factory.h"
#include "tests/support/sim_fixture.h"
#include "vexa/link/hidraw_host.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A machine whose reader is unplugged just before the report numbered
// `unplug_at` (counted from the last ClearLog) crosses.
class UnpluggingHost : public sim::SimHost {
  public:
    std::size_t unplug_at = SIZE_MAX;

    bool SetFeature(vexa::Handle h, const std::uint8_t (&report)[vexa::kReportSize]) override {
        if (log.size() == unplug_at) Unplug();
        return SimHost::SetFeature(h, report);
    }
    bool GetFeature(vexa::Handle h, std::uint8_t (&report)[vexa::kReportSize]) override {
        if (log.size() == unplug_at) Unplug();
        return SimHost::GetFeature(h, report);
    }
};

class UnplugTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.AddReader().Insert(sim::MakeCard("24c16"));
        vexa::InstallHidHost(&host);
        icdev = IC_InitComm(100);
        ASSERT_EQ(icdev, vexa::kReducedBuild ? 1 : 180);
        ASSERT_EQ(IC_InitType(icdev, VEXA_TYPE_24C), 0);
        expected.resize(600);
        ASSERT_EQ(IC_Read(icdev, 0, 600, expected.data()), 0);
    }
    void TearDown() override { vexa::ResetLibraryState(); }

    UnpluggingHost host;
    std::int32_t icdev = 0;
    Bytes expected;  // the card's first 600 bytes
};

TEST_F(UnplugTest, EveryCallFailsAndReturnsWhileTheReaderIsGone) {
    host.Unplug();
    Bytes out(600);
    unsigned char len = 0;
    EXPECT_EQ(IC_Read(icdev, 0, 600, out.data()), VEXA_ERR_SEND);
    EXPECT_EQ(IC_Write(icdev, 0, 600, expected.data()), VEXA_ERR_SEND);
    EXPECT_EQ(IC_CpuReset(icdev, &len, out.data()), VEXA_ERR_SEND);
    EXPECT_EQ(IC_Down(icdev), VEXA_ERR_SEND);
    EXPECT_EQ(IC_CheckCard(icdev), VEXA_ERR_CARD_TEST);
    EXPECT_EQ(IC_InitComm(101), VEXA_ERR_OPEN_PORT);  // nothing there to open
}

// Unplugged at each report of a long read in turn; then the port is closed,
// the reader comes back, and a new open reads the card as before.
TEST_F(UnplugTest, LongReadUnpluggedAtAnyReportFailsAndReopeningRecovers) {
    host.ClearLog();
    Bytes out(600);
    ASSERT_EQ(IC_Read(icdev, 0, 600, out.data()), 0);
    const std::size_t reports = host.log.size();
    for (std::size_t at = 0; at < reports; ++at) {
        SCOPED_TRACE(at);
        host.ClearLog();
        host.unplug_at = at;
        const std::int16_t st = IC_Read(icdev, 0, 600, out.data());
        EXPECT_TRUE(st == VEXA_ERR_SEND || st == VEXA_ERR_RECEIVE) << st;
        EXPECT_EQ(IC_Status(icdev), VEXA_ERR_SEND);
        host.unplug_at = SIZE_MAX;

        IC_ExitComm(icdev);
        host.Replug();
        icdev = IC_InitComm(100);
        ASSERT_GT(icdev, 0);
        // The replugged reader has forgotten the selection: it is made again.
        ASSERT_EQ(IC_InitType(icdev, VEXA_TYPE_24C), 0);
        ASSERT_EQ(IC_Read(icdev, 0, 600, out.data()), 0);
        EXPECT_EQ(out, expected);
    }
}

TEST_F(UnplugTest, ReplugWithoutReopeningKeepsFailingUntilThePortIsOpenedAgain) {
    host.Unplug();
    host.Replug();
    // The old handle belongs to a device node that is gone.
    EXPECT_EQ(IC_Status(icdev), VEXA_ERR_SEND);
    const std::int32_t again = IC_InitComm(100);
    ASSERT_GT(again, 0);
    EXPECT_EQ(IC_Status(again), 0);
}

// Real files stand in for /sys/class/hidraw and /dev: open, lock and close
// are the system's own, only the device information is made up.
class FilesAsReaders : public vexa::Syscalls {
  public:
    int Ioctl(int /*fd*/, unsigned long request, void* arg) override {
        if (request != HIDIOCGRAWINFO) return -1;
        auto* info = static_cast<hidraw_devinfo*>(arg);
        info->bustype = 3;
        info->vendor = 0x04B4;
        info->product = static_cast<std::int16_t>(0xA112);
        return 0;
    }
    void SleepMs(int) override {}
};

class TwoProcesses : public ::testing::Test {
  protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        root = fs::temp_directory_path() / ("vexa-race-" + std::to_string(getpid()));
        fs::create_directories(root / "class" / "hidraw0");
        fs::create_directories(root / "dev");
        std::ofstream(root / "dev" / "hidraw0") << "";
    }
    void TearDown() override {
        vexa::ResetLibraryState();
        std::filesystem::remove_all(root);
    }

    std::filesystem::path root;
    FilesAsReaders sys;
    std::unique_ptr<vexa::HidrawHost> hidraw;
};

// The child opens the reader and holds it while the parent tries; once the
// child has exited, the parent gets it.
TEST_F(TwoProcesses, OneGetsTheReaderTheOtherACleanFailure) {
    hidraw =
        std::make_unique<vexa::HidrawHost>(sys, (root / "class").string(), (root / "dev").string());
    vexa::InstallHidHost(hidraw.get());
    int opened[2];
    int release[2];
    ASSERT_EQ(pipe(opened), 0);
    ASSERT_EQ(pipe(release), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const char result = IC_InitComm(100) == 180 ? 'y' : 'n';
        (void)!write(opened[1], &result, 1);
        char go = 0;
        (void)!read(release[0], &go, 1);
        _exit(0);
    }
    char child_result = 0;
    ASSERT_EQ(read(opened[0], &child_result, 1), 1);
    EXPECT_EQ(child_result, 'y');
    EXPECT_EQ(IC_InitComm(100), VEXA_ERR_OPEN_PORT);
    EXPECT_EQ(vexa::LastError(), VEXA_ERR_OPEN_PORT);

    ASSERT_EQ(write(release[1], "x", 1), 1);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(IC_InitComm(100), 180);
    for (int fd : {opened[0], opened[1], release[0], release[1]}) close(fd);
}

}  // namespace
