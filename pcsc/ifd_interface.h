// SPDX-License-Identifier: MIT
// pcsc-lite's driver interface. Its header declares the entry points without
// C linkage or visibility of their own, so C++ includes it only through here:
// the entry points are what the driver exports.
#pragma once

extern "C" {
#pragma GCC visibility push(default)
#include <ifdhandler.h>
#include <reader.h>
#pragma GCC visibility pop
}
