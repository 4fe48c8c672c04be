// SPDX-License-Identifier: MIT
// The seam between the library and the machine's HID stack. Everything the
// transport needs from the platform goes through this interface, so that the
// same code drives a real reader (hidraw) or the simulated one in tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vexa {

// One feature report: byte 0 is the report identifier (always 0), then a
// 64-byte chunk of a frame.
constexpr std::size_t kReportSize = 65;
constexpr std::size_t kChunkSize = 64;

// An open reader as the host knows it; 0 means "none".
using Handle = std::intptr_t;

// An attached reader as listing finds it; the path opens it again.
struct ReaderEntry {
    std::string path;
    std::string serial;    // "" when it has none
    std::string location;  // "BBB/DDD:I" of its USB interface, "" when not on USB
};

class HidHost {
  public:
    virtual ~HidHost() = default;
    // Opens the first reader 0x04B4/0xA112 that can be opened exclusively.
    virtual Handle OpenReader() = 0;
    // Every attached reader, open or not, in the order OpenReader tries them.
    // A host that cannot tell lists none.
    virtual std::vector<ReaderEntry> ListReaders() { return {}; }
    // Opens the reader at a listed path exclusively, as OpenReader would; 0
    // when the path is no reader, is held by anyone or has gone.
    virtual Handle OpenReaderAt(const std::string& /*path*/) { return 0; }
    // false when the platform refuses the report.
    virtual bool SetFeature(Handle h, const std::uint8_t (&report)[kReportSize]) = 0;
    virtual bool GetFeature(Handle h, std::uint8_t (&report)[kReportSize]) = 0;
    virtual void Close(Handle h) = 0;
    virtual void SleepMs(int ms) = 0;
};

// The host the library uses. Starts as DefaultHidHost(), which the production
// build backs with hidraw and the simulator build with the simulated reader.
HidHost& CurrentHidHost();
// Replaces the host (tests); nullptr goes back to the default.
void InstallHidHost(HidHost* host);
HidHost& DefaultHidHost();

}  // namespace vexa
