// SPDX-License-Identifier: MIT
#include "vexa/link/windows_hid_host.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vexa {

namespace {

constexpr USHORT kVendor = 0x04B4;
constexpr USHORT kProduct = 0xA112;
constexpr DWORD kPresentInterfaces = DIGCF_PRESENT | DIGCF_DEVICEINTERFACE;
// No device path comes near this; a larger size is not worth allocating.
constexpr DWORD kLongestDetail = 64 * 1024;

Handle ToHandle(HANDLE h) {
    return reinterpret_cast<Handle>(h);
}
HANDLE ToNative(Handle h) {
    return reinterpret_cast<HANDLE>(h);
}

// The serial number string is UTF-16; serial numbers are plain ASCII, and
// anything else is shown as '?' rather than as bytes of some code page.
std::string Narrow(const WCHAR* wide) {
    std::string text;
    for (; *wide != 0; ++wide) text += *wide < 0x80 ? static_cast<char>(*wide) : '?';
    return text;
}

}  // namespace

const WindowsHidApi& SystemHidApi() {
    static const WindowsHidApi api{HidD_GetHidGuid,
                                   SetupDiGetClassDevsA,
                                   SetupDiEnumDeviceInterfaces,
                                   SetupDiGetDeviceInterfaceDetailA,
                                   SetupDiDestroyDeviceInfoList,
                                   CreateFileA,
                                   HidD_GetAttributes,
                                   CloseHandle,
                                   HidD_SetFeature,
                                   HidD_GetFeature,
                                   Sleep,
                                   HidD_GetSerialNumberString};
    return api;
}

template <typename Visit>
void WindowsHidHost::ForEachInterface(Visit visit) {
    GUID hid_guid{};
    api_.get_hid_guid(&hid_guid);
    const HDEVINFO set = api_.get_class_devs(&hid_guid, nullptr, nullptr, kPresentInterfaces);
    if (set == INVALID_HANDLE_VALUE) return;
    SP_DEVICE_INTERFACE_DATA member{};
    member.cbSize = sizeof member;
    for (DWORD index = 0; api_.enum_interfaces(set, nullptr, &hid_guid, index, &member); ++index) {
        const std::string path = DevicePath(set, member);
        if (!path.empty() && visit(path)) break;
    }
    api_.destroy_info_list(set);
}

Handle WindowsHidHost::OpenReader() {
    Handle found = 0;
    ForEachInterface([&](const std::string& path) {
        found = OpenMatching(path.c_str());
        return found != 0;
    });
    return Keep(found);
}

std::vector<ReaderEntry> WindowsHidHost::ListReaders() {
    std::vector<ReaderEntry> readers;
    ForEachInterface([&](const std::string& path) {
        if (auto entry = Describe(path)) readers.push_back(std::move(*entry));
        return false;
    });
    return readers;
}

Handle WindowsHidHost::OpenReaderAt(const std::string& path) {
    return Keep(OpenMatching(path.c_str()));
}

Handle WindowsHidHost::Keep(Handle h) {
    if (h != 0) open_.insert(h);
    return h;
}

// The detail block holds the member's device path; it lives for this member only.
std::string WindowsHidHost::DevicePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& member) {
    DWORD size = 0;
    api_.get_interface_detail(set, &member, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) || size > kLongestDetail) return "";
    // At least one zero byte beyond what the system fills ends the path
    // inside the block whatever comes back.
    std::vector<DWORD> block(size / sizeof(DWORD) + 1);
    auto* detail = reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_A>(block.data());
    detail->cbSize = sizeof *detail;
    if (!api_.get_interface_detail(set, &member, detail, size, nullptr, nullptr)) return "";
    return detail->DevicePath;
}

bool WindowsHidHost::IsReader(HANDLE device) {
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    return api_.get_attributes(device, &attributes) && attributes.VendorID == kVendor &&
           attributes.ProductID == kProduct;
}

// Opens one device without sharing, so that a reader held by anyone,
// ourselves included, fails here and counts as no match.
Handle WindowsHidHost::OpenMatching(const char* path) {
    const HANDLE device =
        api_.create_file(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (device == INVALID_HANDLE_VALUE) return 0;
    // Handle 0 means "no reader", and the reduced build hands the handle out
    // as a 32-bit device number; system handles always fit.
    const Handle h = ToHandle(device);
    if (IsReader(device) && h != 0 && h == static_cast<std::int32_t>(h)) return h;
    api_.close_handle(device);
    return 0;
}

std::string WindowsHidHost::SerialNumber(HANDLE device) {
    // A USB string holds at most 126 characters; the last one stays the terminator.
    WCHAR text[128] = {};
    if (!api_.get_serial(device, text, sizeof text - sizeof(WCHAR))) return "";
    return Narrow(text);
}

// Without any access right the device opens even while someone holds it
// exclusively, and still answers for its attributes and serial number.
std::optional<ReaderEntry> WindowsHidHost::Describe(const std::string& path) {
    const HANDLE device = api_.create_file(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (device == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<ReaderEntry> entry;
    if (IsReader(device)) entry = ReaderEntry{path, SerialNumber(device), ""};
    api_.close_handle(device);
    return entry;
}

bool WindowsHidHost::SetFeature(Handle h, const std::uint8_t (&report)[kReportSize]) {
    if (!Owns(h)) return false;
    std::uint8_t buf[kReportSize];  // the driver wants a writable buffer
    std::copy(std::begin(report), std::end(report), buf);
    return api_.set_feature(ToNative(h), buf, kReportSize) != FALSE;
}

bool WindowsHidHost::GetFeature(Handle h, std::uint8_t (&report)[kReportSize]) {
    if (!Owns(h)) return false;
    report[0] = 0;  // report identifier
    return api_.get_feature(ToNative(h), report, kReportSize) != FALSE;
}

void WindowsHidHost::Close(Handle h) {
    if (!Owns(h)) return;
    api_.close_handle(ToNative(h));
    open_.erase(h);
}

void WindowsHidHost::SleepMs(int ms) {
    api_.sleep(static_cast<DWORD>(std::max(ms, 0)));
}

}  // namespace vexa
