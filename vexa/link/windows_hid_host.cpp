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
                                   Sleep};
    return api;
}

Handle WindowsHidHost::OpenReader() {
    GUID hid_guid{};
    api_.get_hid_guid(&hid_guid);
    const HDEVINFO set = api_.get_class_devs(&hid_guid, nullptr, nullptr, kPresentInterfaces);
    if (set == INVALID_HANDLE_VALUE) return 0;
    Handle found = 0;
    SP_DEVICE_INTERFACE_DATA member{};
    member.cbSize = sizeof member;
    for (DWORD index = 0;
         found == 0 && api_.enum_interfaces(set, nullptr, &hid_guid, index, &member); ++index) {
        found = OpenMember(set, member);
    }
    api_.destroy_info_list(set);
    if (found != 0) open_.insert(found);
    return found;
}

// The detail block holds the member's device path; it lives for this member only.
Handle WindowsHidHost::OpenMember(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& member) {
    DWORD size = 0;
    api_.get_interface_detail(set, &member, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) || size > kLongestDetail) return 0;
    // At least one zero byte beyond what the system fills ends the path
    // inside the block whatever comes back.
    std::vector<DWORD> block(size / sizeof(DWORD) + 1);
    auto* detail = reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_A>(block.data());
    detail->cbSize = sizeof *detail;
    if (!api_.get_interface_detail(set, &member, detail, size, nullptr, nullptr)) return 0;
    return OpenMatching(detail->DevicePath);
}

// Opens one device without sharing, so that a reader held by anyone,
// ourselves included, fails here and counts as no match.
Handle WindowsHidHost::OpenMatching(const char* path) {
    const HANDLE device =
        api_.create_file(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (device == INVALID_HANDLE_VALUE) return 0;
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    const bool reader = api_.get_attributes(device, &attributes) &&
                        attributes.VendorID == kVendor && attributes.ProductID == kProduct;
    // Handle 0 means "no reader", and the reduced build hands the handle out
    // as a 32-bit device number; system handles always fit.
    const Handle h = ToHandle(device);
    if (reader && h != 0 && h == static_cast<std::int32_t>(h)) return h;
    api_.close_handle(device);
    return 0;
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
