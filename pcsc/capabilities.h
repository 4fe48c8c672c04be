// SPDX-License-Identifier: MIT
// What IFDHGetCapabilities tells pcscd and applications about a reader.
#pragma once

#include "pcsc/ifd_interface.h"
#include "pcsc/reader_channel.h"

namespace ifd {

RESPONSECODE GetCapability(const ReaderChannel& channel, DWORD tag, PDWORD length, PUCHAR value);

}  // namespace ifd
