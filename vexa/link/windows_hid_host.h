// SPDX-License-Identifier: MIT
// The reader through the Windows HID class driver: the device-setup services
// list the HID interfaces, CreateFileA opens one, feature reports travel by
// HidD_SetFeature and HidD_GetFeature.
#pragma once

#include <windows.h>
// setupapi.h and hidsdi.h need the types of windows.h.
#include <setupapi.h>

// mingw-w64's hidsdi.h declares C functions without a linkage guard.
extern "C" {
#include <hidsdi.h>
}

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "vexa/link/hid_host.h"

namespace vexa {

// The system functions the host calls, replaceable so that enumeration,
// exclusive opening, report layout and the release of every handle can be
// checked without a device.
struct WindowsHidApi {
    void(WINAPI* get_hid_guid)(LPGUID guid);
    HDEVINFO(WINAPI* get_class_devs)(const GUID* guid, PCSTR enumerator, HWND parent, DWORD flags);
    BOOL(WINAPI* enum_interfaces)
    (HDEVINFO set, PSP_DEVINFO_DATA info, const GUID* guid, DWORD index,
     PSP_DEVICE_INTERFACE_DATA data);
    BOOL(WINAPI* get_interface_detail)
    (HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data, PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
     DWORD size, PDWORD required, PSP_DEVINFO_DATA info);
    BOOL(WINAPI* destroy_info_list)(HDEVINFO set);
    HANDLE(WINAPI* create_file)
    (LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
     DWORD flags, HANDLE template_file);
    BOOLEAN(WINAPI* get_attributes)(HANDLE device, PHIDD_ATTRIBUTES attributes);
    BOOL(WINAPI* close_handle)(HANDLE handle);
    BOOLEAN(WINAPI* set_feature)(HANDLE device, PVOID report, ULONG size);
    BOOLEAN(WINAPI* get_feature)(HANDLE device, PVOID report, ULONG size);
    void(WINAPI* sleep)(DWORD ms);
    BOOLEAN(WINAPI* get_serial)(HANDLE device, PVOID buffer, ULONG size);
};

// The functions of hid.dll, setupapi.dll and kernel32.dll themselves.
const WindowsHidApi& SystemHidApi();

class WindowsHidHost : public HidHost {
  public:
    explicit WindowsHidHost(const WindowsHidApi& api = SystemHidApi()) : api_(api) {}

    Handle OpenReader() override;
    std::vector<ReaderEntry> ListReaders() override;
    Handle OpenReaderAt(const std::string& path) override;
    bool SetFeature(Handle h, const std::uint8_t (&report)[kReportSize]) override;
    bool GetFeature(Handle h, std::uint8_t (&report)[kReportSize]) override;
    void Close(Handle h) override;
    void SleepMs(int ms) override;

  private:
    bool Owns(Handle h) const { return open_.count(h) != 0; }
    // Calls `visit` with the device path of each present HID interface
    // until it returns true.
    template <typename Visit>
    void ForEachInterface(Visit visit);
    std::string DevicePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& member);
    Handle OpenMatching(const char* path);
    // Remembers a handle we opened, so that only those are ever used or closed.
    Handle Keep(Handle h);
    bool IsReader(HANDLE device);
    std::string SerialNumber(HANDLE device);
    // The entry of a reader, without taking it from whoever holds it.
    std::optional<ReaderEntry> Describe(const std::string& path);

    const WindowsHidApi& api_;
    std::set<Handle> open_;  // only handles we opened are ever used or closed
};

}  // namespace vexa
