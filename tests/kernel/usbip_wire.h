// SPDX-License-Identifier: MIT
// The USB/IP protocol as the kernel's vhci-hcd driver and the usbip tool
// speak it over TCP: first an operation (device list or import) from the
// tool, then, on the same socket handed to the kernel, URB commands and their
// returns. Every number is big-endian; the setup packet inside a command is
// USB's own, little-endian.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kernel_test::usbip {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kVersion = 0x0111;
constexpr std::uint16_t kReqDevlist = 0x8005;
constexpr std::uint16_t kRepDevlist = 0x0005;
constexpr std::uint16_t kReqImport = 0x8003;
constexpr std::uint16_t kRepImport = 0x0003;
constexpr std::uint32_t kStatusNoDevice = 4;
constexpr std::uint32_t kStatusBusy = 2;

constexpr std::uint32_t kCmdSubmit = 1;
constexpr std::uint32_t kCmdUnlink = 2;
constexpr std::uint32_t kRetSubmit = 3;
constexpr std::uint32_t kRetUnlink = 4;
constexpr std::uint32_t kDirIn = 1;

constexpr std::size_t kOpHeaderSize = 8;
constexpr std::size_t kBusIdSize = 32;
constexpr std::size_t kUrbHeaderSize = 48;
// More than any transfer of the reader; a longer one is a broken peer.
constexpr std::uint32_t kMaxTransfer = 4096;

// What the tool learns of an exported device, before and at its import.
struct DeviceRecord {
    std::string path;
    std::string busid;
    std::uint32_t busnum = 0;
    std::uint32_t devnum = 0;
    std::uint32_t speed = 0;
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    std::uint16_t bcd_device = 0;
    std::uint8_t configuration = 0;
    std::uint8_t interface_class = 0;  // of its one interface
};

struct OpRequest {
    std::uint16_t version = 0;
    std::uint16_t code = 0;
};

struct Setup {
    std::uint8_t request_type = 0;
    std::uint8_t request = 0;
    std::uint16_t value = 0;
    std::uint16_t index = 0;
    std::uint16_t length = 0;
};

struct UrbCommand {
    std::uint32_t command = 0;
    std::uint32_t seqnum = 0;
    std::uint32_t devid = 0;
    std::uint32_t direction = 0;
    std::uint32_t ep = 0;
    // CMD_SUBMIT
    std::uint32_t transfer_length = 0;
    Setup setup;
    // CMD_UNLINK
    std::uint32_t unlink_seqnum = 0;

    // Bytes of data that follow the 48-byte header on the wire.
    std::uint32_t OutLength() const;
};

OpRequest ParseOpRequest(std::span<const std::uint8_t, kOpHeaderSize> bytes);
// The bus id of an import request (the 32 bytes after the header), up to its
// first zero byte.
std::string ParseBusId(std::span<const std::uint8_t, kBusIdSize> bytes);
// Nothing for a command the kernel never sends, a length beyond kMaxTransfer
// or isochronous packets, which no endpoint of the reader takes.
std::optional<UrbCommand> ParseUrb(std::span<const std::uint8_t, kUrbHeaderSize> bytes);

Bytes DevlistReply(const std::vector<DeviceRecord>& devices);
// Status 0 with the device, or the failure status alone.
Bytes ImportReply(const DeviceRecord& device);
Bytes ImportRefusal(std::uint32_t status);
// status: 0 or a negative errno, as the URB completes.
Bytes RetSubmit(std::uint32_t seqnum, std::int32_t status, std::span<const std::uint8_t> data);
Bytes RetUnlink(std::uint32_t seqnum, std::int32_t status);

}  // namespace kernel_test::usbip
