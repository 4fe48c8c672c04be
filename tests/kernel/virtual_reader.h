// SPDX-License-Identifier: MIT
// The reader the kernel test plugs in: the simulated firmware and cards behind
// a uhid device of the reader's identity, driven by one-line commands:
//
//   plug            create the device (the firmware restarts, the card stays)
//   unplug          remove it
//   decoy           also create another HID device, 04B4/A113, that answers
//                   nothing, ahead of the reader in enumeration
//
// and those of every virtual reader (reader_core.h).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/kernel/command_loop.h"
#include "tests/kernel/reader_core.h"
#include "tests/kernel/uhid_device.h"

namespace kernel_test {

class VirtualReader : public ServedDevices {
  public:
    std::string Control(const std::string& line) override;
    std::vector<int> Descriptors() const override;
    void Serve(int fd) override;

  private:
    std::string Plug();
    void ServeReader();

    ReaderCore core_;
    std::unique_ptr<UhidDevice> device_;
    std::unique_ptr<UhidDevice> decoy_;
};

}  // namespace kernel_test
