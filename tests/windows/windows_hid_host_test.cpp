// SPDX-License-Identifier: MIT
// The Windows HID host against faked device-setup, HID and kernel functions:
// which interfaces it opens and how, the vendor and product match, the
// release of every handle and device set, and the reports and waits a call
// of the library makes through it.
#include "vexa/link/windows_hid_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "vexa.h"
#include "vexa/link/library_state.h"

namespace {

using Report = std::array<std::uint8_t, vexa::kReportSize>;

struct Member {
    std::string path;
    USHORT vendor, product;
    bool opens = true;  // false: held open by someone, or gone
    std::wstring serial = L"";
};
const Member kWineMouse{"\\\\?\\hid#vid_845e&pid_0001", 0x845E, 0x0001};
const Member kWineKeyboard{"\\\\?\\hid#vid_845e&pid_0002", 0x845E, 0x0002};
Member Reader(const std::string& n, bool opens = true) {
    return {"\\\\?\\hid#vid_04b4&pid_a112#" + n, 0x04B4, 0xA112, opens};
}

constexpr GUID kHidGuid = {
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
const HDEVINFO kSet = reinterpret_cast<HDEVINFO>(0x5E7);

// The machine the fakes show; handles are 0x100, 0x104, ... in opening order.
struct FakeWindows {
    std::vector<Member> members;
    bool sets_available = true;
    std::size_t reports_left = SIZE_MAX;  // accepted before the reader goes away
    Report to_deliver{};

    std::vector<DWORD> set_flags;
    int sets_destroyed = 0;
    std::vector<std::size_t> opened;  // the member behind each handle
    std::vector<HANDLE> open_handles;
    std::vector<Report> sent, asked;
    std::vector<DWORD> sleeps;
} * fake;

HANDLE HandleOf(std::size_t k) {
    return reinterpret_cast<HANDLE>(0x100 + 4 * k);
}
std::size_t MemberOf(HANDLE h) {
    return fake->opened.at((reinterpret_cast<std::uintptr_t>(h) - 0x100) / 4);
}
bool IsOpen(HANDLE h) {
    return std::find(fake->open_handles.begin(), fake->open_handles.end(), h) !=
           fake->open_handles.end();
}

void WINAPI GetHidGuid(LPGUID guid) {
    *guid = kHidGuid;
}
HDEVINFO WINAPI GetClassDevs(const GUID* guid, PCSTR, HWND, DWORD flags) {
    EXPECT_TRUE(IsEqualGUID(*guid, kHidGuid));
    fake->set_flags.push_back(flags);
    return fake->sets_available ? kSet : reinterpret_cast<HDEVINFO>(INVALID_HANDLE_VALUE);
}
BOOL WINAPI EnumInterfaces(HDEVINFO set, PSP_DEVINFO_DATA, const GUID* guid, DWORD index,
                           PSP_DEVICE_INTERFACE_DATA data) {
    EXPECT_EQ(set, kSet);
    EXPECT_TRUE(IsEqualGUID(*guid, kHidGuid));
    EXPECT_EQ(data->cbSize, sizeof *data);
    data->Reserved = index;
    return index < fake->members.size();
}
BOOL WINAPI GetDetail(HDEVINFO, PSP_DEVICE_INTERFACE_DATA data,
                      PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail, DWORD size, PDWORD required,
                      PSP_DEVINFO_DATA) {
    const std::string& path = fake->members.at(data->Reserved).path;
    const DWORD needed = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + path.size() + 1;
    if (required) *required = needed;
    if (!detail || size < needed || detail->cbSize != sizeof *detail) return FALSE;
    std::memcpy(detail->DevicePath, path.c_str(), path.size() + 1);
    return TRUE;
}
BOOL WINAPI DestroySet(HDEVINFO set) {
    EXPECT_EQ(set, kSet);
    ++fake->sets_destroyed;
    return TRUE;
}
HANDLE WINAPI CreateFile(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES,
                         DWORD disposition, DWORD flags, HANDLE) {
    // Without access rights (a query) a device opens even while it is held.
    const bool query = access == 0;
    EXPECT_EQ(share, query ? DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE} : 0u)
        << "a reader is opened exclusively";
    EXPECT_TRUE(query || access == DWORD{GENERIC_READ | GENERIC_WRITE});
    EXPECT_EQ(disposition, DWORD{OPEN_EXISTING});
    EXPECT_EQ(flags, 0u);
    const auto m = std::find_if(fake->members.begin(), fake->members.end(),
                                [&](const Member& x) { return x.path == path; });
    if (m == fake->members.end() || !(m->opens || query)) return INVALID_HANDLE_VALUE;
    fake->opened.push_back(static_cast<std::size_t>(m - fake->members.begin()));
    fake->open_handles.push_back(HandleOf(fake->opened.size() - 1));
    return fake->open_handles.back();
}
BOOLEAN WINAPI GetAttributes(HANDLE h, PHIDD_ATTRIBUTES a) {
    EXPECT_TRUE(IsOpen(h));
    EXPECT_EQ(a->Size, sizeof *a);
    a->VendorID = fake->members[MemberOf(h)].vendor;
    a->ProductID = fake->members[MemberOf(h)].product;
    return TRUE;
}
BOOL WINAPI Close(HANDLE h) {
    EXPECT_TRUE(IsOpen(h)) << "closes a handle it does not hold";
    std::erase(fake->open_handles, h);
    return TRUE;
}
BOOLEAN Transfer(HANDLE h, PVOID report, ULONG size, std::vector<Report>& log) {
    EXPECT_EQ(size, vexa::kReportSize);
    Report r;
    std::memcpy(r.data(), report, r.size());
    log.push_back(r);
    if (!IsOpen(h) || fake->reports_left == 0) return FALSE;
    --fake->reports_left;
    return TRUE;
}
BOOLEAN WINAPI SetFeature(HANDLE h, PVOID report, ULONG size) {
    return Transfer(h, report, size, fake->sent);
}
BOOLEAN WINAPI GetFeature(HANDLE h, PVOID report, ULONG size) {
    if (!Transfer(h, report, size, fake->asked)) return FALSE;
    std::memcpy(report, fake->to_deliver.data(), size);
    return TRUE;
}
BOOLEAN WINAPI GetSerial(HANDLE h, PVOID buffer, ULONG size) {
    const std::wstring& serial = fake->members[MemberOf(h)].serial;
    if (size < (serial.size() + 1) * sizeof(WCHAR)) return FALSE;
    std::memcpy(buffer, serial.c_str(), (serial.size() + 1) * sizeof(WCHAR));
    return TRUE;
}
void WINAPI Sleep(DWORD ms) {
    fake->sleeps.push_back(ms);
}

const vexa::WindowsHidApi kFakeApi{GetHidGuid, GetClassDevs, EnumInterfaces, GetDetail,
                                   DestroySet, CreateFile,   GetAttributes,  Close,
                                   SetFeature, GetFeature,   Sleep,          GetSerial};

class WindowsHidHostTest : public ::testing::Test {
  protected:
    void SetUp() override { fake = &machine; }
    void TearDown() override {
        vexa::ResetLibraryState();
        fake = nullptr;
    }
    // Every search ends with its device set destroyed.
    void ExpectSetsReleased() const {
        EXPECT_EQ(machine.sets_destroyed, static_cast<int>(machine.set_flags.size()));
    }
    void ExpectOnlyOpen(vexa::Handle h) const {
        EXPECT_EQ(machine.open_handles, std::vector<HANDLE>{reinterpret_cast<HANDLE>(h)});
    }
    // The library opens its reader through this host among `members`.
    void OpenThroughLibrary(const std::vector<Member>& members) {
        machine.members = members;
        vexa::InstallHidHost(&host);
        ASSERT_EQ(IC_InitComm(100), 180);
    }
    void CloseThroughLibrary() const {
        EXPECT_EQ(IC_ExitComm(180), 0);
        EXPECT_TRUE(machine.open_handles.empty());
    }
    FakeWindows machine;
    vexa::WindowsHidHost host{kFakeApi};
};

}  // namespace

TEST_F(WindowsHidHostTest, OpensTheFirstReaderThatCanBeOpenedAndReleasesEverythingElse) {
    struct Case {
        const char* what;
        int reader;                       // index into members, -1 for none
        std::vector<std::size_t> opened;  // every member opened on the way
        std::vector<Member> members;
    };
    const Case cases[] = {
        {"wine's devices are passed over", 2, {0, 1, 2}, {kWineMouse, kWineKeyboard, Reader("a")}},
        {"first of two readers wins", 0, {0}, {Reader("a"), Reader("b")}},
        {"a held reader is skipped", 2, {0, 2}, {kWineMouse, Reader("a", false), Reader("b")}},
        {"a single reader held elsewhere: no reader", -1, {1}, {Reader("a", false), kWineKeyboard}},
        {"no HID devices at all", -1, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        machine = FakeWindows{};
        machine.members = c.members;
        vexa::WindowsHidHost fresh{kFakeApi};
        const vexa::Handle h = fresh.OpenReader();
        EXPECT_EQ(machine.set_flags, std::vector<DWORD>{0x12});  // present devices, interfaces
        ExpectSetsReleased();
        EXPECT_EQ(machine.opened, c.opened);
        if (c.reader < 0) {
            EXPECT_EQ(h, 0);
            EXPECT_TRUE(machine.open_handles.empty());
        } else {
            ASSERT_NE(h, 0);
            ExpectOnlyOpen(h);
            EXPECT_EQ(MemberOf(reinterpret_cast<HANDLE>(h)), static_cast<std::size_t>(c.reader));
        }
    }
}

TEST_F(WindowsHidHostTest, NoDeviceSetMeansNoReader) {
    machine.sets_available = false;
    EXPECT_EQ(host.OpenReader(), 0);
    EXPECT_TRUE(machine.opened.empty());
    EXPECT_EQ(machine.sets_destroyed, 0);
}

TEST_F(WindowsHidHostTest, OpeningAgainWhileHeldReachesTheSecondReaderOnly) {
    machine.members = {Reader("a"), Reader("b")};
    ASSERT_NE(host.OpenReader(), 0);
    machine.members[0].opens = false;  // what exclusive opening does on Windows
    ASSERT_NE(host.OpenReader(), 0);
    machine.members[1].opens = false;
    EXPECT_EQ(host.OpenReader(), 0);
    ExpectSetsReleased();
    EXPECT_EQ(machine.open_handles.size(), 2u);
}

TEST_F(WindowsHidHostTest, ReportsCarryReportZeroAndEveryAcceptedOneIsFollowedByTheWait) {
    ASSERT_NO_FATAL_FAILURE(OpenThroughLibrary({kWineMouse, Reader("a")}));
    machine.to_deliver = {0x00, 0x12, 0xA6, 0x01, 0x90, 0x12 ^ 0xA6 ^ 0x01 ^ 0x90};
    EXPECT_EQ(IC_Down(180), 0);
    EXPECT_EQ(machine.sent, (std::vector<Report>{{0x00, 0x21, 0xA6, 0x00, 0x87}}));
    ASSERT_EQ(machine.asked.size(), 1u);
    EXPECT_EQ(machine.asked[0][0], 0x00);
    EXPECT_EQ(machine.sleeps, (std::vector<DWORD>{15, 15}));
    CloseThroughLibrary();
}

TEST_F(WindowsHidHostTest, RefusedReportsAndAnUnplugBetweenReportsFailWithoutWaiting) {
    ASSERT_NO_FATAL_FAILURE(OpenThroughLibrary({Reader("a")}));
    machine.reports_left = 0;
    EXPECT_EQ(IC_Down(180), -22);
    EXPECT_EQ(machine.sent.size(), 1u);
    EXPECT_TRUE(machine.asked.empty());

    // Unplugged after the command went out: the answer never comes.
    machine.reports_left = 1;
    EXPECT_EQ(IC_Down(180), -23);
    EXPECT_EQ(machine.sleeps, std::vector<DWORD>{15});  // after the accepted report only
    CloseThroughLibrary();
}

TEST_F(WindowsHidHostTest, HandlesItDidNotOpenAreNeverUsedOrClosed) {
    machine.members = {Reader("a")};
    const vexa::Handle h = host.OpenReader();
    ASSERT_NE(h, 0);
    std::uint8_t report[vexa::kReportSize] = {};
    for (const vexa::Handle stranger : {vexa::Handle{0}, vexa::Handle{-1}, h + 4}) {
        EXPECT_FALSE(host.SetFeature(stranger, report));
        EXPECT_FALSE(host.GetFeature(stranger, report));
        host.Close(stranger);
    }
    EXPECT_TRUE(machine.sent.empty() && machine.asked.empty());
    host.Close(h);
    host.Close(h);  // a second close must not close whatever now has that value
    EXPECT_TRUE(machine.open_handles.empty());
    EXPECT_FALSE(host.SetFeature(h, report));
}

TEST_F(WindowsHidHostTest, ListsHeldReadersTooWithTheirSerialAndOpensOneByItsPath) {
    machine.members = {kWineMouse, Reader("a", false), Reader("b")};
    machine.members[1].serial = L"SN-1";
    machine.members[2].serial = L"\u00E9X";
    const auto readers = host.ListReaders();
    ASSERT_EQ(readers.size(), 2u);
    EXPECT_EQ(readers[0].path, machine.members[1].path);
    EXPECT_EQ(readers[0].serial, "SN-1");
    EXPECT_EQ(readers[1].serial, "?X");
    EXPECT_EQ(readers[1].location, "");
    EXPECT_TRUE(machine.open_handles.empty());
    ExpectSetsReleased();

    EXPECT_EQ(host.OpenReaderAt(readers[0].path), 0);  // held
    EXPECT_EQ(host.OpenReaderAt(kWineMouse.path), 0);
    const vexa::Handle h = host.OpenReaderAt(readers[1].path);
    ASSERT_NE(h, 0);
    ExpectOnlyOpen(h);
}
