// SPDX-License-Identifier: MIT
// Reaching the reader: when the view is created (USB first, then the serial
// ports COM1 to COM4), on the port chosen, and again after it was pulled out
// and plugged back in.
#include <algorithm>

#include "demo/port/library_imports.h"
#include "demo/view/demo_view.h"

namespace demo {

namespace {
constexpr int kSerialPorts = 4;
constexpr const char* kDriverNotice =
    "!!! The VER of Driver Error,Please Mail to support@tavix.example";
}  // namespace

void CDemoView::ConnectReader() {
    m_icdev = 0;
    OpenReader(kUsbPort);
    if (m_icdev > 0) {
        const int status = Lib().IC_Status(m_icdev);
        if (status == 0 || status == 1) return;
        Lib().IC_ExitComm(m_icdev);
    }
    m_icdev = 0;
    m_nCommPort = -1;
    for (int port = 0; port < kSerialPorts; ++port) {
        if (TryPort(port) != PortOutcome::kTryNext) return;
    }
    ui_.MessageBox("Can't Connect Device! Please Try Again!", "Check Error!", MsgButtons::kOk,
                   MsgIcon::kStop);
}

void CDemoView::OpenReader(int port) {
    m_nCommPort = port;
    if (port == kUsbPort) {
        m_icdev = OpenUsbReader(port, usb_reader_, usb_reader_);
    } else {
        m_icdev = std::max(Lib().IC_InitComm(port), std::int32_t{0});
    }
    if (m_icdev > 0) unreachable_at_open_ = UnreachableAnswers();
}

// Only a reader that is attached is opened again: while it is away the
// command fails on the old device as it always did, and the next command
// looks again.
void CDemoView::ReopenIfLost() {
    if (m_nCommPort != kUsbPort || UnreachableAnswers() == unreachable_at_open_) return;
    if (!UsbReaderAttached()) return;
    Lib().IC_ExitComm(m_icdev);
    OpenReader(kUsbPort);
    DrawPortLabel();
}

// A serial reader that answers is kept, unless its driver is too old: then
// the operator is told and the program runs without a reader.
CDemoView::PortOutcome CDemoView::TryPort(int port) {
    const std::int32_t icdev = Lib().IC_InitComm(port);
    if (icdev <= 0) return PortOutcome::kTryNext;
    if (Lib().IC_Status(icdev) < 0) {
        Lib().IC_ExitComm(icdev);
        return PortOutcome::kTryNext;
    }
    if (Lib().IC_Status_1(icdev) != 0) {
        ui_.MessageBox(kDriverNotice, "Notice", MsgButtons::kOk, MsgIcon::kInformation);
        Lib().IC_ExitComm(icdev);
        return PortOutcome::kGiveUp;
    }
    m_icdev = icdev;
    m_nCommPort = port;
    return PortOutcome::kKept;
}

}  // namespace demo
