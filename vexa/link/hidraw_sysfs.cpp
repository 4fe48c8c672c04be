// SPDX-License-Identifier: MIT
#include "vexa/link/hidraw_sysfs.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "vexa.h"

namespace vexa {

namespace fs = std::filesystem;

namespace {

std::optional<std::string> FirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    if (!std::getline(in, line)) return std::nullopt;
    return line;
}

// A whole attribute as an unsigned number in `base`; nothing when it is not one.
std::optional<unsigned long> Number(const fs::path& file, int base) {
    const auto text = FirstLine(file);
    if (!text || text->empty() || text->size() > 8) return std::nullopt;
    char* end = nullptr;
    const unsigned long value = std::strtoul(text->c_str(), &end, base);
    if (*end != '\0' || (*text)[0] == '-' || (*text)[0] == '+') return std::nullopt;
    return value;
}

// HID_ID=BBBB:VVVVVVVV:PPPPPPPP, bus type, vendor and product in hexadecimal.
bool ParseHidId(const std::string& value, HidrawIdentity& id) {
    unsigned bus = 0, vendor = 0, product = 0;
    char extra = 0;
    if (std::sscanf(value.c_str(), "%x:%x:%x%c", &bus, &vendor, &product, &extra) != 3)
        return false;
    if (vendor > 0xFFFF || product > 0xFFFF) return false;
    id.vendor = static_cast<std::uint16_t>(vendor);
    id.product = static_cast<std::uint16_t>(product);
    return true;
}

// The HID device sits on a USB interface, which sits on the USB device with
// its bus and device numbers; a virtual (UHID) device has neither.
std::string UsbLocation(const fs::path& hid_device) {
    std::error_code ec;
    const fs::path interface = fs::canonical(hid_device, ec).parent_path();
    if (ec) return "";
    const auto number = Number(interface / "bInterfaceNumber", 16);
    const auto bus = Number(interface.parent_path() / "busnum", 10);
    const auto device = Number(interface.parent_path() / "devnum", 10);
    if (!number || !bus || !device) return "";
    char text[VEXA_READER_LOCATION_SIZE];
    const int n = std::snprintf(text, sizeof text, "%03lu/%03lu:%lu", *bus, *device, *number);
    return n > 0 && static_cast<std::size_t>(n) < sizeof text ? text : "";
}

}  // namespace

std::optional<HidrawIdentity> ReadHidrawIdentity(const fs::path& node) {
    const fs::path hid_device = node / "device";
    std::ifstream uevent(hid_device / "uevent");
    HidrawIdentity id;
    bool has_ids = false;
    for (std::string line; std::getline(uevent, line);) {
        if (line.rfind("HID_ID=", 0) == 0) has_ids = ParseHidId(line.substr(7), id);
        if (line.rfind("HID_UNIQ=", 0) == 0) id.serial = line.substr(9);
    }
    if (!has_ids) return std::nullopt;
    id.location = UsbLocation(hid_device);
    return id;
}

}  // namespace vexa
