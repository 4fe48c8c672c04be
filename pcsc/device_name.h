// SPDX-License-Identifier: MIT
// The device name pcscd hands the driver. Its USB hotplug names the reader
// "usb:04b4/a112:libudev:<interface>:/dev/bus/usb/BBB/DDD"; a reader.conf
// entry names it as its author likes.
#pragma once

#include <optional>
#include <string>

namespace ifd {

// The reader's USB location "BBB/DDD:I" as the library lists it, or nothing
// when the name carries no USB device of this reader. `name` may hold any
// bytes; only its first few hundred are looked at.
std::optional<std::string> UsbLocationOf(const char* name);

}  // namespace ifd
