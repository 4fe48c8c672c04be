// SPDX-License-Identifier: MIT
// How the simulated reader answers the report requests the kernel's uhid
// driver passes on: a feature report set or got on report number 0, 65 bytes
// with the report number first, exactly as hidraw hands them to the device.
#pragma once

#include <linux/uhid.h>

#include <optional>

#include "sim/reader.h"

namespace kernel_test {

// True for the events that wait for an answer (UHID_SET_REPORT, UHID_GET_REPORT).
bool IsReportRequest(const uhid_event& event);

// The answer to a report request, carrying its id; nothing for other events.
// A request the reader does not serve (another report type or number, another
// size) or refuses is answered with EIO, which the caller's ioctl sees.
std::optional<uhid_event> ReplyTo(sim::SimReader& reader, const uhid_event& event);

}  // namespace kernel_test
