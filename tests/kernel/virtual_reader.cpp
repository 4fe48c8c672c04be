// SPDX-License-Identifier: MIT
#include "tests/kernel/virtual_reader.h"

#include <sstream>

#include "tests/kernel/uhid_reply.h"

namespace kernel_test {

namespace {

const DeviceIdentity kReader{"Tavix USB card reader (simulated)", 0x04B4, 0xA112};
const DeviceIdentity kDecoy{"Other HID device (simulated)", 0x04B4, 0xA113};

const std::string kOk = "ok";

std::unique_ptr<UhidDevice> Create(const DeviceIdentity& identity) {
    auto device = std::make_unique<UhidDevice>(identity);
    return device->ok() ? std::move(device) : nullptr;
}

}  // namespace

std::string VirtualReader::Control(const std::string& line) {
    std::istringstream in(line);
    std::string command;
    in >> command;
    if (command == "plug") return Plug();
    if (command == "unplug") {
        device_.reset();
        return kOk;
    }
    if (command == "decoy") {
        decoy_ = Create(kDecoy);
        return decoy_ ? kOk : "error the decoy device was refused";
    }
    return core_.Control(command, in).value_or("error unknown command: " + line);
}

std::string VirtualReader::Plug() {
    if (device_) return "error already plugged in";
    core_.Replug();
    device_ = Create(kReader);
    return device_ ? kOk : "error the reader device was refused";
}

std::vector<int> VirtualReader::Descriptors() const {
    std::vector<int> fds;
    for (const auto* d : {device_.get(), decoy_.get()}) {
        if (d) fds.push_back(d->fd());
    }
    return fds;
}

void VirtualReader::Serve(int fd) {
    if (device_ && fd == device_->fd()) {
        ServeReader();
    } else if (decoy_ && fd == decoy_->fd()) {
        decoy_->Read();  // the decoy only ever sees its opens and closes
    }
}

void VirtualReader::ServeReader() {
    const auto event = device_->Read();
    if (!event || !IsReportRequest(*event)) return;
    const bool set = event->type == UHID_SET_REPORT;
    const std::span<const std::uint8_t> chunk(event->u.set_report.data + 1,
                                              set ? sim::kReport - 1 : 0);
    if (!core_.Arrive(chunk)) {
        device_.reset();
        return;
    }
    const auto reply = ReplyTo(core_.firmware(), *event);
    if (!reply) return;
    // Read before the answer leaves: once it is written the library may run
    // at once, so a clock read after it could fall into the library's wait.
    const auto answered_at = ReaderCore::Clock::now();
    if (device_->Write(*reply)) core_.Answered(answered_at);
}

}  // namespace kernel_test
