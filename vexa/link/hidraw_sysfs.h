// SPDX-License-Identifier: MIT
// What sysfs says about a hidraw node, read without opening or locking the
// node itself, so that a reader another program holds is described too.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace vexa {

struct HidrawIdentity {
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    std::string serial;    // HID_UNIQ: the USB serial number string
    std::string location;  // "BBB/DDD:I", "" without a USB interface above it
};

// `node` is /sys/class/hidraw/hidrawN; nothing when it tells no HID ids.
std::optional<HidrawIdentity> ReadHidrawIdentity(const std::filesystem::path& node);

}  // namespace vexa
