// SPDX-License-Identifier: MIT
#include "tests/kernel/usbip_wire.h"

#include <algorithm>

namespace kernel_test::usbip {

namespace {

constexpr std::size_t kPathSize = 256;
constexpr std::uint32_t kNoPackets = 0xFFFFFFFF;  // how some peers mark a non-isochronous URB

std::uint32_t Be32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) << 24 | static_cast<std::uint32_t>(b[at + 1]) << 16 |
           static_cast<std::uint32_t>(b[at + 2]) << 8 | b[at + 3];
}

std::uint16_t Be16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] << 8 | b[at + 1]);
}

std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

void Put16(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

void Put32(Bytes& out, std::uint32_t v) {
    Put16(out, static_cast<std::uint16_t>(v >> 16));
    Put16(out, static_cast<std::uint16_t>(v));
}

// A zero-padded text field; a longer text is cut to leave the last zero.
void PutText(Bytes& out, const std::string& text, std::size_t size) {
    const std::size_t n = std::min(text.size(), size - 1);
    out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
    out.resize(out.size() + size - n, 0);
}

Bytes OpHeader(std::uint16_t code, std::uint32_t status) {
    Bytes out;
    Put16(out, kVersion);
    Put16(out, code);
    Put32(out, status);
    return out;
}

// One device has one configuration with one interface.
void PutDevice(Bytes& out, const DeviceRecord& d) {
    PutText(out, d.path, kPathSize);
    PutText(out, d.busid, kBusIdSize);
    Put32(out, d.busnum);
    Put32(out, d.devnum);
    Put32(out, d.speed);
    Put16(out, d.vendor);
    Put16(out, d.product);
    Put16(out, d.bcd_device);
    out.insert(out.end(), {0, 0, 0, d.configuration, 1, 1});
}

Bytes UrbHeader(std::uint32_t command, std::uint32_t seqnum) {
    Bytes out;
    for (std::uint32_t v : {command, seqnum, 0u, 0u, 0u}) Put32(out, v);
    return out;
}

}  // namespace

std::uint32_t UrbCommand::OutLength() const {
    return command == kCmdSubmit && direction != kDirIn ? transfer_length : 0;
}

OpRequest ParseOpRequest(std::span<const std::uint8_t, kOpHeaderSize> bytes) {
    return {Be16(bytes, 0), Be16(bytes, 2)};
}

std::string ParseBusId(std::span<const std::uint8_t, kBusIdSize> bytes) {
    const auto end = std::find(bytes.begin(), bytes.end(), 0);
    return std::string(bytes.begin(), end);
}

std::optional<UrbCommand> ParseUrb(std::span<const std::uint8_t, kUrbHeaderSize> bytes) {
    UrbCommand c;
    c.command = Be32(bytes, 0);
    c.seqnum = Be32(bytes, 4);
    c.devid = Be32(bytes, 8);
    c.direction = Be32(bytes, 12);
    c.ep = Be32(bytes, 16);
    if (c.command == kCmdUnlink) {
        c.unlink_seqnum = Be32(bytes, 20);
        return c;
    }
    if (c.command != kCmdSubmit) return std::nullopt;
    c.transfer_length = Be32(bytes, 24);
    c.setup = {bytes[40], bytes[41], Le16(bytes, 42), Le16(bytes, 44), Le16(bytes, 46)};
    const std::uint32_t packets = Be32(bytes, 32);
    if (c.transfer_length > kMaxTransfer || (packets != 0 && packets != kNoPackets)) {
        return std::nullopt;
    }
    return c;
}

Bytes DevlistReply(const std::vector<DeviceRecord>& devices) {
    Bytes out = OpHeader(kRepDevlist, 0);
    Put32(out, static_cast<std::uint32_t>(devices.size()));
    for (const DeviceRecord& d : devices) {
        PutDevice(out, d);
        out.insert(out.end(), {d.interface_class, 0, 0, 0});
    }
    return out;
}

Bytes ImportReply(const DeviceRecord& device) {
    Bytes out = OpHeader(kRepImport, 0);
    PutDevice(out, device);
    return out;
}

Bytes ImportRefusal(std::uint32_t status) {
    return OpHeader(kRepImport, status);
}

Bytes RetSubmit(std::uint32_t seqnum, std::int32_t status, std::span<const std::uint8_t> data) {
    Bytes out = UrbHeader(kRetSubmit, seqnum);
    Put32(out, static_cast<std::uint32_t>(status));
    Put32(out, static_cast<std::uint32_t>(data.size()));
    out.resize(kUrbHeaderSize, 0);  // start frame, packets, errors, padding
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

Bytes RetUnlink(std::uint32_t seqnum, std::int32_t status) {
    Bytes out = UrbHeader(kRetUnlink, seqnum);
    Put32(out, static_cast<std::uint32_t>(status));
    out.resize(kUrbHeaderSize, 0);
    return out;
}

}  // namespace kernel_test::usbip
