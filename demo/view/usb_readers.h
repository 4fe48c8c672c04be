// SPDX-License-Identifier: MIT
// Opening a USB reader among several: through the library's list of
// attached readers when it has one, so that the program knows which reader
// it holds and can take the same one again after a replug.
#pragma once

#include <cstdint>
#include <string>

namespace demo {

struct UsbReader {
    std::string path;
    std::string serial;
    // 1, 2, ... among several readers attached when it was opened; 0 when it
    // was alone or the library cannot list.
    int place = 0;
};

// Opens `port` as IC_InitComm does, on the first free reader in the
// library's order, except that the reader matching `wanted` (same non-empty
// serial, else same path) comes first. Returns the device number, 0 when no
// reader could be opened; `opened` describes the reader held then.
std::int32_t OpenUsbReader(int port, const UsbReader& wanted, UsbReader& opened);

// Whether a reader is attached now; without a list, nothing says it is not.
bool UsbReaderAttached();

}  // namespace demo
