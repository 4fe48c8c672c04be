// SPDX-License-Identifier: MIT
// The HID report descriptor of the reader, however it is plugged in: vendor
// page 0xFF00, one application collection holding feature report 0, 64 bytes
// of 0..255. Without report numbers, the 65-byte reports the library sends
// carry 0 first, which the kernel strips before the device sees 64 bytes.
#pragma once

#include <cstdint>

namespace kernel_test {

inline constexpr std::uint8_t kReportDescriptor[] = {
    0x06, 0x00, 0xFF,  // usage page, vendor defined
    0x09, 0x01,        // usage 1
    0xA1, 0x01,        // collection, application
    0x09, 0x01,        //   usage 1
    0x15, 0x00,        //   logical minimum 0
    0x26, 0xFF, 0x00,  //   logical maximum 255
    0x75, 0x08,        //   report size 8 bits
    0x95, 0x40,        //   report count 64
    0xB1, 0x02,        //   feature: data, variable, absolute
    0xC0,              // end collection
};

}  // namespace kernel_test
