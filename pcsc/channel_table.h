// SPDX-License-Identifier: MIT
// The open readers by logical unit number, and the one lock that serialises
// every call into the library (its state is process-wide and unguarded).
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "pcsc/ifd_interface.h"
#include "pcsc/reader_channel.h"
#include "pcsc/reader_listing.h"

namespace ifd {

class ChannelTable {
  public:
    // Opens the first listed reader no channel holds, on a device number of
    // its own.
    RESPONSECODE Open(DWORD lun);
    // Opens the listed reader at a USB location ("BBB/DDD:I").
    RESPONSECODE OpenAt(DWORD lun, const std::string& location);
    void Close(DWORD lun);
    // nullptr when the unit was never opened or names another slot than 0.
    ReaderChannel* Find(DWORD lun);

  private:
    RESPONSECODE OpenFirst(DWORD lun, const std::function<bool(const ListedReader&)>& wanted);

    static constexpr int kFirstPort = 100;
    static constexpr int kPorts = 100;
    std::unique_ptr<ReaderChannel> channels_[kPorts];  // by reader index
};

std::mutex& DriverLock();
ChannelTable& Channels();

// Runs fn(channel) under the driver lock; `missing` when Lun has no reader.
template <typename Fn>
RESPONSECODE WithChannel(DWORD lun, RESPONSECODE missing, Fn fn) {
    std::lock_guard lock(DriverLock());
    ReaderChannel* channel = Channels().Find(lun);
    return channel == nullptr ? missing : fn(*channel);
}

}  // namespace ifd
