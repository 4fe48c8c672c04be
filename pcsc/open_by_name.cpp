// SPDX-License-Identifier: MIT
#include "pcsc/open_by_name.h"

#include <chrono>
#include <mutex>
#include <thread>

#include "pcsc/channel_table.h"
#include "pcsc/device_name.h"
#include "pcsc/driver_log.h"

namespace ifd {

namespace {

constexpr int kStepMs = 50;
constexpr int kLongestWaitMs = 3000;

void Sleep(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// Never destroyed: pcscd may still be creating a channel as it exits.
std::function<void(int)>& ListingWait() {
    static auto* wait = new std::function<void(int)>(Sleep);
    return *wait;
}

}  // namespace

void SetListingWait(std::function<void(int)> wait) {
    ListingWait() = wait ? std::move(wait) : Sleep;
}

RESPONSECODE OpenByName(DWORD lun, const char* name) {
    const std::optional<std::string> location = UsbLocationOf(name);
    if (!location) {
        Log(PCSC_LOG_DEBUG, "device name \"%.64s\" names no USB device: the first free reader",
            name != nullptr ? name : "");
        std::lock_guard lock(DriverLock());
        return Channels().Open(lun);
    }
    // The lock is let go while waiting, so the other readers are served.
    for (int waited = 0;; waited += kStepMs) {
        {
            std::lock_guard lock(DriverLock());
            if (Channels().OpenAt(lun, *location) == IFD_SUCCESS) return IFD_SUCCESS;
        }
        if (waited >= kLongestWaitMs) break;
        ListingWait()(kStepMs);
    }
    Log(PCSC_LOG_ERROR, "no reader at USB location %s could be opened within %d ms",
        location->c_str(), kLongestWaitMs);
    return IFD_COMMUNICATION_ERROR;
}

}  // namespace ifd
