// SPDX-License-Identifier: MIT
#include "vexa/link/hidraw_host.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "vexa/link/hidraw_sysfs.h"

namespace vexa {

namespace {

constexpr std::uint16_t kVendor = 0x04B4;
constexpr std::uint16_t kProduct = 0xA112;

// hidraw0, hidraw1, ... in numeric order (hidraw10 after hidraw9).
std::vector<int> HidrawNumbers(const std::string& class_dir) {
    std::vector<int> numbers;
    std::error_code ec;
    // Error codes rather than exceptions: nothing may be thrown through the C API.
    for (std::filesystem::directory_iterator it(class_dir, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind("hidraw", 0) != 0 || name.size() == 6) continue;
        const std::string digits = name.substr(6);
        const auto is_digit = [](unsigned char c) { return c >= '0' && c <= '9'; };
        if (!std::all_of(digits.begin(), digits.end(), is_digit) || digits.size() > 6) continue;
        numbers.push_back(std::atoi(digits.c_str()));
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

Syscalls& RealSyscalls() {
    static Syscalls sys;
    return sys;
}

}  // namespace

int Syscalls::Open(const char* path, int flags) {
    return ::open(path, flags);
}
int Syscalls::Close(int fd) {
    return ::close(fd);
}
int Syscalls::Flock(int fd, int operation) {
    return ::flock(fd, operation);
}
int Syscalls::Ioctl(int fd, unsigned long request, void* arg) {
    return ::ioctl(fd, request, arg);
}
void Syscalls::SleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

HidrawHost::HidrawHost() : HidrawHost(RealSyscalls(), "/sys/class/hidraw", "/dev") {}

HidrawHost::HidrawHost(Syscalls& sys, std::string class_dir, std::string dev_dir)
    : sys_(sys), class_dir_(std::move(class_dir)), dev_dir_(std::move(dev_dir)) {}

// Opens one node; a node that cannot be opened, locked or identified, or that
// is another device, does not match.
int HidrawHost::OpenMatching(const std::string& path) {
    const int fd = sys_.Open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return -1;
    hidraw_devinfo info{};
    const bool match = sys_.Flock(fd, LOCK_EX | LOCK_NB) == 0 &&
                       sys_.Ioctl(fd, HIDIOCGRAWINFO, &info) == 0 &&
                       static_cast<std::uint16_t>(info.vendor) == kVendor &&
                       static_cast<std::uint16_t>(info.product) == kProduct;
    if (!match || fd == 0) {
        // fd 0 is kept out of use, since handle 0 means "no reader".
        sys_.Close(fd);
        return -1;
    }
    return fd;
}

Handle HidrawHost::Keep(int fd) {
    if (fd <= 0) return 0;
    open_.insert(fd);
    return fd;
}

Handle HidrawHost::OpenReader() {
    for (int n : HidrawNumbers(class_dir_)) {
        if (const Handle h = Keep(OpenMatching(dev_dir_ + "/hidraw" + std::to_string(n)))) return h;
    }
    return 0;
}

std::vector<ReaderEntry> HidrawHost::ListReaders() {
    std::vector<ReaderEntry> readers;
    for (int n : HidrawNumbers(class_dir_)) {
        const std::string name = "hidraw" + std::to_string(n);
        const auto id = ReadHidrawIdentity(std::filesystem::path(class_dir_) / name);
        if (id && id->vendor == kVendor && id->product == kProduct)
            readers.push_back({dev_dir_ + "/" + name, id->serial, id->location});
    }
    return readers;
}

Handle HidrawHost::OpenReaderAt(const std::string& path) {
    return Keep(OpenMatching(path));
}

bool HidrawHost::SetFeature(Handle h, const std::uint8_t (&report)[kReportSize]) {
    if (!Owns(h)) return false;
    std::uint8_t buf[kReportSize];
    std::copy(std::begin(report), std::end(report), buf);
    return sys_.Ioctl(static_cast<int>(h), HIDIOCSFEATURE(kReportSize), buf) >= 0;
}

bool HidrawHost::GetFeature(Handle h, std::uint8_t (&report)[kReportSize]) {
    if (!Owns(h)) return false;
    report[0] = 0;  // report identifier
    return sys_.Ioctl(static_cast<int>(h), HIDIOCGFEATURE(kReportSize), report) >= 0;
}

void HidrawHost::Close(Handle h) {
    if (!Owns(h)) return;
    sys_.Close(static_cast<int>(h));
    open_.erase(h);
}

void HidrawHost::SleepMs(int ms) {
    sys_.SleepMs(ms);
}

}  // namespace vexa
