// SPDX-License-Identifier: MIT
#include "tests/kernel/command_loop.h"

#include <poll.h>
#include <unistd.h>

namespace kernel_test {

namespace {

bool Answer(const std::string& text) {
    const std::string line = text + "\n";
    return ::write(STDOUT_FILENO, line.data(), line.size()) == static_cast<ssize_t>(line.size());
}

// Carries out the complete lines that have arrived; false when stdin ended.
bool TakeCommands(ServedDevices& devices, std::string& pending) {
    char buf[256];
    const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
    if (n <= 0) return false;
    pending.append(buf, static_cast<std::size_t>(n));
    for (auto end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
        const std::string line = pending.substr(0, end);
        pending.erase(0, end + 1);
        if (!Answer(devices.Control(line))) return false;
    }
    return true;
}

}  // namespace

int RunCommandLoop(ServedDevices& devices) {
    std::string pending;
    for (;;) {
        std::vector<pollfd> fds{{STDIN_FILENO, POLLIN, 0}};
        for (int fd : devices.Descriptors()) fds.push_back({fd, POLLIN, 0});
        if (::poll(fds.data(), fds.size(), -1) < 0) return 1;
        // Devices first: a command may remove the device whose event waits.
        for (std::size_t i = 1; i < fds.size(); ++i) {
            if (fds[i].revents != 0) devices.Serve(fds[i].fd);
        }
        if (fds[0].revents != 0 && !TakeCommands(devices, pending)) return 0;
    }
}

}  // namespace kernel_test
