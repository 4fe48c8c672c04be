// SPDX-License-Identifier: MIT
#include "pcsc/channel_table.h"

#include <cstdlib>

#include "pcsc/driver_log.h"
#include "vexa.h"

namespace ifd {

namespace {
// pcscd numbers readers in the high 16 bits of a unit and slots in the low.
DWORD ReaderIndex(DWORD lun) {
    return lun >> 16;
}
DWORD Slot(DWORD lun) {
    return lun & 0xFFFF;
}

// pcscd exits with its reader threads still polling. Holding the lock from
// then on keeps them out of the library while its statics are destroyed
// (the handler runs before them, being registered after the library's first
// call).
void KeepOutAtExit() {
    DriverLock().lock();
}
}  // namespace

// Never destroyed, for the same reason.
std::mutex& DriverLock() {
    static auto* lock = new std::mutex;
    return *lock;
}

ChannelTable& Channels() {
    static auto* table = new ChannelTable;
    return *table;
}

// The device number of reader i is port 100 + i. The library opens the first
// reader no other channel holds, so each channel gets a reader of its own.
RESPONSECODE ChannelTable::Open(DWORD lun) {
    const DWORD index = ReaderIndex(lun);
    if (Slot(lun) != 0 || index >= kPorts) return IFD_COMMUNICATION_ERROR;
    channels_[index].reset();
    const std::int32_t icdev = IC_InitComm(kFirstPort + static_cast<std::int32_t>(index));
    if (icdev < 0) {
        Log(PCSC_LOG_ERROR, "reader %lu: no reader to open (library status %d)",
            static_cast<unsigned long>(index), icdev);
        return IFD_COMMUNICATION_ERROR;
    }
    Log(PCSC_LOG_INFO, "reader %lu opened as device %d", static_cast<unsigned long>(index), icdev);
    static const bool guarded = std::atexit(KeepOutAtExit) == 0;
    (void)guarded;
    channels_[index] = std::make_unique<ReaderChannel>(icdev);
    return IFD_SUCCESS;
}

void ChannelTable::Close(DWORD lun) {
    if (ReaderIndex(lun) < kPorts) channels_[ReaderIndex(lun)].reset();
}

ReaderChannel* ChannelTable::Find(DWORD lun) {
    if (Slot(lun) != 0 || ReaderIndex(lun) >= kPorts) return nullptr;
    return channels_[ReaderIndex(lun)].get();
}

}  // namespace ifd
