// SPDX-License-Identifier: MIT
// The main loop of a virtual reader program: one-line commands on standard
// input, each answered with one line on standard output, between the events
// of the devices it serves; until standard input ends.
#pragma once

#include <string>
#include <vector>

namespace kernel_test {

class ServedDevices {
  public:
    virtual ~ServedDevices() = default;
    virtual std::string Control(const std::string& line) = 0;
    // The descriptors whose events Serve handles.
    virtual std::vector<int> Descriptors() const = 0;
    // Handles the event waiting on fd, one of Descriptors().
    virtual void Serve(int fd) = 0;
};

// 0 once standard input ended, 1 when polling failed.
int RunCommandLoop(ServedDevices& devices);

}  // namespace kernel_test
