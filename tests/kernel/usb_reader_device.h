// SPDX-License-Identifier: MIT
// The reader as a USB device, 04B4/A112, full speed: one configuration, one
// HID interface with an interrupt IN endpoint that never has anything to
// say, and the feature report the library exchanges through endpoint 0.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tests/kernel/reader_core.h"
#include "tests/kernel/usbip_wire.h"

namespace kernel_test {

struct ControlAnswer {
    std::int32_t status = 0;  // 0, or -EPIPE for a stall
    std::vector<std::uint8_t> data;
    bool report = false;  // a report transfer the firmware answered
    bool pulled = false;  // the device is pulled instead of answering
};

// The answer to a control request on endpoint 0 with the data it carried;
// IN data is cut to the length asked for.
ControlAnswer AnswerControl(ReaderCore& core, const std::string& serial, const usbip::Setup& setup,
                            std::span<const std::uint8_t> out);

}  // namespace kernel_test
