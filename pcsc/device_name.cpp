// SPDX-License-Identifier: MIT
#include "pcsc/device_name.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "vexa.h"

namespace ifd {

namespace {

// Longer than any name pcscd builds; a longer one is not read to its end.
constexpr std::size_t kLongestName = 512;
constexpr std::string_view kHotplugPrefix = "usb:04b4/a112:libudev:";
constexpr std::string_view kUsbDeviceFolder = ":/dev/bus/usb/";

bool Take(std::string_view& text, std::string_view literal) {
    if (!text.starts_with(literal)) return false;
    text.remove_prefix(literal.size());
    return true;
}

// Takes a decimal number of `fewest` to `most` digits off the front of text.
bool Take(std::string_view& text, std::size_t fewest, std::size_t most, unsigned& number) {
    std::size_t digits = 0;
    number = 0;
    while (digits < text.size() && digits < most && text[digits] >= '0' && text[digits] <= '9')
        number = number * 10 + static_cast<unsigned>(text[digits++] - '0');
    text.remove_prefix(digits);
    return digits >= fewest;
}

}  // namespace

std::optional<std::string> UsbLocationOf(const char* name) {
    if (name == nullptr) return std::nullopt;
    std::string_view text(name, strnlen(name, kLongestName + 1));
    unsigned interface = 0;
    unsigned bus = 0;
    unsigned device = 0;
    // The device node's folder and file are the bus and device numbers,
    // three digits each; an interface number is one byte.
    const bool usb = text.size() <= kLongestName && Take(text, kHotplugPrefix) &&
                     Take(text, 1, 3, interface) && interface <= 0xFF &&
                     Take(text, kUsbDeviceFolder) && Take(text, 3, 3, bus) && Take(text, "/") &&
                     Take(text, 3, 3, device) && text.empty();
    if (!usb) return std::nullopt;
    char location[VEXA_READER_LOCATION_SIZE];
    std::snprintf(location, sizeof location, "%03u/%03u:%u", bus, device, interface);
    return location;
}

}  // namespace ifd
