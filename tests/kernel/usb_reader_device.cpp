// SPDX-License-Identifier: MIT
#include "tests/kernel/usb_reader_device.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <iterator>
#include <optional>

#include "tests/kernel/report_descriptor.h"

namespace kernel_test {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kStandardToDevice = 0x00;
constexpr std::uint8_t kStandardToInterface = 0x01;
constexpr std::uint8_t kStandardFromDevice = 0x80;
constexpr std::uint8_t kStandardFromInterface = 0x81;
constexpr std::uint8_t kStandardFromEndpoint = 0x82;
constexpr std::uint8_t kStandardToEndpoint = 0x02;
constexpr std::uint8_t kClassToInterface = 0x21;
constexpr std::uint8_t kClassFromInterface = 0xA1;

constexpr std::uint8_t kGetStatus = 0x00;
constexpr std::uint8_t kClearFeature = 0x01;
constexpr std::uint8_t kGetDescriptor = 0x06;
constexpr std::uint8_t kSetConfiguration = 0x09;
constexpr std::uint8_t kSetInterface = 0x0B;
constexpr std::uint8_t kGetReport = 0x01;
constexpr std::uint8_t kSetIdle = 0x0A;
constexpr std::uint8_t kSetReport = 0x09;

constexpr std::uint16_t kFeatureReport0 = 0x0300;  // report type 3, number 0
constexpr std::size_t kChunk = sim::kReport - 1;

constexpr std::uint8_t kDescriptorLength = sizeof kReportDescriptor;

const Bytes kDevice{
    18,   0x01, 0x00, 0x02,  // USB 2.0
    0x00, 0x00, 0x00,        // class, subclass, protocol per interface
    64,                      // endpoint 0 packet size
    0xB4, 0x04, 0x12, 0xA1,  // 04B4, A112
    0x00, 0x01,              // release 1.00
    1,    2,    3,           // manufacturer, product, serial number strings
    1,                       // configurations
};

const Bytes kHid{9, 0x21, 0x11, 0x01, 0x00, 1, 0x22, kDescriptorLength, 0};

const Bytes kConfiguration = [] {
    Bytes c{9, 0x02, 34, 0, 1, 1, 0, 0x80, 50};            // one interface, bus powered, 100 mA
    c.insert(c.end(), {9, 0x04, 0, 0, 1, 0x03, 0, 0, 0});  // HID, one endpoint
    c.insert(c.end(), kHid.begin(), kHid.end());
    c.insert(c.end(), {7, 0x05, 0x81, 0x03, 64, 0, 10});  // interrupt IN, 10 ms
    return c;
}();

Bytes StringDescriptor(const std::string& text) {
    Bytes d{static_cast<std::uint8_t>(2 + 2 * text.size()), 0x03};
    for (char c : text) d.insert(d.end(), {static_cast<std::uint8_t>(c), 0});
    return d;
}

std::optional<Bytes> Descriptor(std::uint16_t value, const std::string& serial) {
    const std::uint8_t index = value & 0xFF;
    switch (value >> 8) {
        case 0x01:
            return kDevice;
        case 0x02:
            return kConfiguration;
        case 0x03: {
            const std::string strings[] = {"", "Tavix", "USB card reader (simulated)", serial};
            if (index == 0) return Bytes{4, 0x03, 0x09, 0x04};  // US English
            if (index < std::size(strings)) return StringDescriptor(strings[index]);
            return std::nullopt;
        }
        default:
            return std::nullopt;
    }
}

std::optional<Bytes> InterfaceDescriptor(std::uint16_t value) {
    if (value == 0x2100) return kHid;
    if (value == 0x2200) return Bytes(std::begin(kReportDescriptor), std::end(kReportDescriptor));
    return std::nullopt;
}

ControlAnswer Stall() {
    return {-EPIPE, {}, false, false};
}

ControlAnswer Data(std::optional<Bytes> data) {
    if (!data) return Stall();
    return {0, std::move(*data), false, false};
}

// GET_REPORT and SET_REPORT of feature report 0: the 64 bytes after the
// report number the kernel has taken off.
ControlAnswer Report(ReaderCore& core, bool get, std::span<const std::uint8_t> out) {
    if (!get && out.size() != kChunk) return Stall();
    if (!core.Arrive(out)) return {0, {}, false, true};
    std::array<std::uint8_t, sim::kReport> report{};
    if (get) {
        if (!core.firmware().GiveReport(report)) return Stall();
        return {0, Bytes(report.begin() + 1, report.end()), true, false};
    }
    std::copy(out.begin(), out.end(), report.begin() + 1);
    if (!core.firmware().TakeReport(report)) return Stall();
    return {0, {}, true, false};
}

ControlAnswer Answer(ReaderCore& core, const std::string& serial, const usbip::Setup& s,
                     std::span<const std::uint8_t> out) {
    const auto is = [&](std::uint8_t type, std::uint8_t request) {
        return s.request_type == type && s.request == request;
    };
    if (is(kStandardFromDevice, kGetDescriptor)) return Data(Descriptor(s.value, serial));
    if (is(kStandardFromInterface, kGetDescriptor) && s.index == 0) {
        return Data(InterfaceDescriptor(s.value));
    }
    // Any recipient: not self-powered, no remote wakeup, no endpoint halted.
    if (s.request_type >= kStandardFromDevice && s.request_type <= kStandardFromEndpoint &&
        s.request == kGetStatus) {
        return Data(Bytes{0, 0});
    }
    if ((is(kStandardToDevice, kSetConfiguration) && s.value <= 1) ||
        (is(kStandardToInterface, kSetInterface) && s.value == 0) ||
        (s.request_type <= kStandardToEndpoint && s.request == kClearFeature) ||
        is(kClassToInterface, kSetIdle)) {
        return Data(Bytes{});
    }
    const bool report0 = s.value == kFeatureReport0 && s.index == 0;
    if (is(kClassFromInterface, kGetReport) && report0) return Report(core, true, out);
    if (is(kClassToInterface, kSetReport) && report0) return Report(core, false, out);
    return Stall();
}

}  // namespace

ControlAnswer AnswerControl(ReaderCore& core, const std::string& serial, const usbip::Setup& setup,
                            std::span<const std::uint8_t> out) {
    ControlAnswer answer = Answer(core, serial, setup, out);
    if (answer.data.size() > setup.length) answer.data.resize(setup.length);
    return answer;
}

}  // namespace kernel_test
