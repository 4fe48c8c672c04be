// SPDX-License-Identifier: MIT
// The reader through Linux hidraw: /sys/class/hidraw lists the HID devices,
// /dev/hidrawN opens one, feature reports travel by ioctl.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "vexa/link/hid_host.h"

namespace vexa {

// The system calls the host makes, replaceable so that enumeration, locking
// and report layout can be checked without a device.
class Syscalls {
  public:
    virtual ~Syscalls() = default;
    virtual int Open(const char* path, int flags);
    virtual int Close(int fd);
    virtual int Flock(int fd, int operation);
    virtual int Ioctl(int fd, unsigned long request, void* arg);
    virtual void SleepMs(int ms);
};

class HidrawHost : public HidHost {
  public:
    HidrawHost();
    HidrawHost(Syscalls& sys, std::string class_dir, std::string dev_dir);

    Handle OpenReader() override;
    std::vector<ReaderEntry> ListReaders() override;
    // Any path, as long as the node proves by its ids to be the reader.
    Handle OpenReaderAt(const std::string& path) override;
    bool SetFeature(Handle h, const std::uint8_t (&report)[kReportSize]) override;
    bool GetFeature(Handle h, std::uint8_t (&report)[kReportSize]) override;
    void Close(Handle h) override;
    void SleepMs(int ms) override;

  private:
    bool Owns(Handle h) const { return open_.count(h) != 0; }
    int OpenMatching(const std::string& path);
    Handle Keep(int fd);

    Syscalls& sys_;
    std::string class_dir_;
    std::string dev_dir_;
    std::set<Handle> open_;  // only handles we opened are ever used or closed
};

}  // namespace vexa
