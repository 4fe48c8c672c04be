// SPDX-License-Identifier: MIT
// Opening the reader pcscd names when it creates a channel.
#pragma once

#include <functional>

#include "pcsc/ifd_interface.h"

namespace ifd {

// A name that carries the reader's USB device opens the reader listed at its
// location. usbhid binds the interface, and its hidraw node appears, a moment
// after pcscd sees the USB device, so the location is looked for again for a
// few seconds. Any other name opens the first free reader.
RESPONSECODE OpenByName(DWORD lun, const char* name);

// How OpenByName waits between two looks (tests never wait for real).
void SetListingWait(std::function<void(int milliseconds)> wait);

}  // namespace ifd
