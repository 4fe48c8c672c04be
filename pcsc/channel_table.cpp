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

// The device number of reader i is port 100 + i. The library opens no reader
// another port holds, so each channel gets a reader of its own.
RESPONSECODE ChannelTable::OpenFirst(DWORD lun,
                                     const std::function<bool(const ListedReader&)>& wanted) {
    const DWORD index = ReaderIndex(lun);
    if (Slot(lun) != 0 || index >= kPorts) return IFD_COMMUNICATION_ERROR;
    channels_[index].reset();
    const std::int32_t port = kFirstPort + static_cast<std::int32_t>(index);
    for (ListedReader& reader : ListedReaders()) {
        if (!wanted(reader)) continue;
        const std::int32_t icdev = IC_InitCommPath(port, reader.path.c_str());
        if (icdev < 0) continue;
        Log(PCSC_LOG_INFO, "reader %lu opened as device %d: %s, serial \"%s\", USB location \"%s\"",
            static_cast<unsigned long>(index), icdev, reader.path.c_str(), reader.serial.c_str(),
            reader.location.c_str());
        static const bool guarded = std::atexit(KeepOutAtExit) == 0;
        (void)guarded;
        channels_[index] = std::make_unique<ReaderChannel>(icdev, std::move(reader));
        return IFD_SUCCESS;
    }
    return IFD_COMMUNICATION_ERROR;
}

RESPONSECODE ChannelTable::Open(DWORD lun) {
    const RESPONSECODE rc = OpenFirst(lun, [](const ListedReader&) { return true; });
    if (rc != IFD_SUCCESS)
        Log(PCSC_LOG_ERROR, "reader %lu: no free reader to open",
            static_cast<unsigned long>(ReaderIndex(lun)));
    return rc;
}

RESPONSECODE ChannelTable::OpenAt(DWORD lun, const std::string& location) {
    return OpenFirst(lun, [&](const ListedReader& reader) { return reader.location == location; });
}

void ChannelTable::Close(DWORD lun) {
    if (ReaderIndex(lun) < kPorts) channels_[ReaderIndex(lun)].reset();
}

ReaderChannel* ChannelTable::Find(DWORD lun) {
    if (Slot(lun) != 0 || ReaderIndex(lun) >= kPorts) return nullptr;
    return channels_[ReaderIndex(lun)].get();
}

}  // namespace ifd
