// SPDX-License-Identifier: MIT
// A USB/IP server on 127.0.0.1:3240 exporting several simulated readers, each
// a USB device of its own (usb_reader_device.h) with bus id "1-N" and serial
// number "VEXA-USB-N", N from 1. `usbip attach -r 127.0.0.1 -b 1-N` plugs
// reader N into the kernel's virtual host controller; closing its connection
// is how a pulled device looks to that controller. One-line commands, N
// first:
//
//   N unplug        close reader N's connection now
//   N COMMAND       any command of every virtual reader (reader_core.h) for
//                   reader N; its unplug-at closes the connection in the
//                   middle of the report transfer
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/kernel/command_loop.h"
#include "tests/kernel/reader_core.h"
#include "tests/kernel/usbip_wire.h"

namespace kernel_test {

constexpr std::uint16_t kUsbipPort = 3240;

class UsbipServer : public ServedDevices {
  public:
    // Port 0: no listening, connections come through Adopt only.
    explicit UsbipServer(int readers, std::uint16_t port = kUsbipPort);
    ~UsbipServer() override;
    UsbipServer(const UsbipServer&) = delete;
    UsbipServer& operator=(const UsbipServer&) = delete;

    bool listening() const { return listener_ >= 0; }
    // Serves a connected socket as one accepted on the port.
    void Adopt(int fd);
    std::string Control(const std::string& line) override;
    std::vector<int> Descriptors() const override;
    void Serve(int fd) override;

  private:
    struct Reader {
        ReaderCore core;
        usbip::DeviceRecord record;
        std::string serial;
        int link = -1;                       // the imported connection, or -1
        std::vector<std::uint32_t> pending;  // interrupt IN URBs, never completed
    };
    // A connection of the usbip tool, later the kernel's: the bytes not yet
    // handled and the reader it imported.
    struct Link {
        int fd;
        usbip::Bytes in;
        Reader* reader = nullptr;
    };
    // Bytes used from the front of link.in (0: wait for more); nothing when
    // the connection is to be closed.
    using Step = std::optional<std::size_t>;

    void Accept();
    void Receive(Link& link);
    Step Operation(Link& link);
    Step Import(Link& link);
    Step Urb(Link& link);
    // False when the connection is to be closed.
    bool Submit(Link& link, const usbip::UrbCommand& cmd, std::span<const std::uint8_t> out);
    bool Unlink(Link& link, const usbip::UrbCommand& cmd);
    void Close(int fd);

    int listener_ = -1;
    std::vector<Reader> readers_;
    std::vector<Link> links_;
};

}  // namespace kernel_test
