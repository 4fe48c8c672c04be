// Placeholder until the simulated reader lands: a machine without readers.
#include "vexa/link/hid_host.h"

namespace vexa {

namespace {
class NoReaders : public HidHost {
public:
    Handle OpenReader() override { return 0; }
    bool SetFeature(Handle, const std::uint8_t (&)[kReportSize]) override { return false; }
    bool GetFeature(Handle, std::uint8_t (&)[kReportSize]) override { return false; }
    void Close(Handle) override {}
    void SleepMs(int) override {}
};
}  // namespace

HidHost& DefaultHidHost() {
    static NoReaders host;
    return host;
}

}  // namespace vexa
