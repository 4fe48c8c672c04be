// SPDX-License-Identifier: MIT
#include "tests/kernel/virtual_reader.h"

#include <sstream>

#include "sim/card_factory.h"
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

VirtualReader::VirtualReader() : firmware_(std::make_unique<sim::SimReader>()) {}

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
    if (command == "insert") {
        std::string name;
        in >> name;
        return Insert(name);
    }
    if (command == "remove") {
        firmware_->Remove();
        return kOk;
    }
    if (command == "unplug-at") {
        long n = 0;
        if (!(in >> n) || n < 1) return "error unplug-at takes a count from 1";
        unplug_in_ = n;
        return kOk;
    }
    if (command == "reports") return kOk + " " + std::to_string(answered_);
    if (command == "gaps") return Gaps();
    return "error unknown command: " + line;
}

// A reader plugged in again has forgotten everything but the card it holds.
std::string VirtualReader::Plug() {
    if (device_) return "error already plugged in";
    auto fresh = std::make_unique<sim::SimReader>();
    if (auto card = firmware_->Remove()) fresh->Insert(std::move(card));
    firmware_ = std::move(fresh);
    device_ = Create(kReader);
    return device_ ? kOk : "error the reader device was refused";
}

std::string VirtualReader::Insert(const std::string& name) {
    auto card = sim::MakeCard(name);
    if (!card) return "error no card named \"" + name + "\"";
    firmware_->Remove();
    firmware_->Insert(std::move(card));
    return kOk;
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

std::string VirtualReader::Gaps() const {
    std::string answer = kOk;
    for (long gap : gaps_us_) answer += " " + std::to_string(gap);
    return answer;
}

void VirtualReader::ServeReader() {
    const auto event = device_->Read();
    if (!event || !IsReportRequest(*event)) return;
    const auto now = std::chrono::steady_clock::now();
    if (last_answer_) {
        gaps_us_.push_back(static_cast<long>(
            std::chrono::duration_cast<std::chrono::microseconds>(now - *last_answer_).count()));
    }
    if (unplug_in_ && --*unplug_in_ == 0) {
        unplug_in_.reset();
        device_.reset();
        return;
    }
    const auto reply = ReplyTo(*firmware_, *event);
    if (!reply) return;
    // Read before the answer leaves: once it is written the library may run
    // at once, so a clock read after it could fall into the library's wait.
    const auto answered_at = std::chrono::steady_clock::now();
    if (device_->Write(*reply)) {
        ++answered_;
        last_answer_ = answered_at;
    }
}

}  // namespace kernel_test
