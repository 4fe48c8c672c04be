// SPDX-License-Identifier: MIT
// The IFD handler interface (version 3) pcscd loads: each entry point finds
// the reader of its logical unit and runs under the driver lock.
#include <cstring>
#include <span>

#include "pcsc/capabilities.h"
#include "pcsc/channel_table.h"
#include "pcsc/ifd_interface.h"
#include "pcsc/open_by_name.h"

using ifd::Bytes;
using ifd::ReaderChannel;
using ifd::WithChannel;

namespace {

// Length 0 on every failure, so that nothing stale is taken for an answer.
RESPONSECODE CopyOut(RESPONSECODE rc, const Bytes& bytes, PUCHAR out, PDWORD length) {
    if (rc == IFD_SUCCESS && bytes.size() > *length) rc = IFD_ERROR_INSUFFICIENT_BUFFER;
    if (rc != IFD_SUCCESS) {
        *length = 0;
        return rc;
    }
    if (!bytes.empty()) std::memcpy(out, bytes.data(), bytes.size());
    *length = static_cast<DWORD>(bytes.size());
    return IFD_SUCCESS;
}

}  // namespace

extern "C" {

RESPONSECODE IFDHCreateChannelByName(DWORD Lun, LPSTR DeviceName) {
    return ifd::OpenByName(Lun, DeviceName);
}

RESPONSECODE IFDHCreateChannel(DWORD Lun, DWORD /*Channel*/) {
    std::lock_guard lock(ifd::DriverLock());
    return ifd::Channels().Open(Lun);
}

RESPONSECODE IFDHCloseChannel(DWORD Lun) {
    std::lock_guard lock(ifd::DriverLock());
    ifd::Channels().Close(Lun);
    return IFD_SUCCESS;
}

RESPONSECODE IFDHGetCapabilities(DWORD Lun, DWORD Tag, PDWORD Length, PUCHAR Value) {
    return WithChannel(Lun, IFD_NO_SUCH_DEVICE, [&](ReaderChannel& channel) {
        return ifd::GetCapability(channel, Tag, Length, Value);
    });
}

RESPONSECODE IFDHSetCapabilities(DWORD /*Lun*/, DWORD /*Tag*/, DWORD /*Length*/, PUCHAR /*Value*/) {
    return IFD_ERROR_TAG;
}

RESPONSECODE IFDHSetProtocolParameters(DWORD Lun, DWORD Protocol, UCHAR /*Flags*/, UCHAR /*PTS1*/,
                                       UCHAR /*PTS2*/, UCHAR /*PTS3*/) {
    return WithChannel(Lun, IFD_NO_SUCH_DEVICE,
                       [&](ReaderChannel& channel) { return channel.SetProtocol(Protocol); });
}

RESPONSECODE IFDHPowerICC(DWORD Lun, DWORD Action, PUCHAR Atr, PDWORD AtrLength) {
    if (Atr == nullptr || AtrLength == nullptr) return IFD_COMMUNICATION_ERROR;
    Bytes atr;
    const RESPONSECODE rc = WithChannel(Lun, IFD_NO_SUCH_DEVICE, [&](ReaderChannel& channel) {
        RESPONSECODE result = IFD_NOT_SUPPORTED;
        if (Action == IFD_POWER_UP) result = channel.PowerUp();
        if (Action == IFD_RESET) result = channel.Reset();
        if (Action == IFD_POWER_DOWN) result = channel.PowerDown();
        atr = channel.atr();
        return result;
    });
    *AtrLength = MAX_ATR_SIZE;
    return CopyOut(rc, atr, Atr, AtrLength);
}

RESPONSECODE IFDHTransmitToICC(DWORD Lun, SCARD_IO_HEADER SendPci, PUCHAR TxBuffer, DWORD TxLength,
                               PUCHAR RxBuffer, PDWORD RxLength, PSCARD_IO_HEADER RecvPci) {
    if (RxLength == nullptr) return IFD_COMMUNICATION_ERROR;
    if (TxBuffer == nullptr || RxBuffer == nullptr)
        return CopyOut(IFD_COMMUNICATION_ERROR, {}, RxBuffer, RxLength);
    Bytes response;
    const RESPONSECODE rc = WithChannel(Lun, IFD_NO_SUCH_DEVICE, [&](ReaderChannel& channel) {
        return channel.Transmit(std::span(TxBuffer, TxLength), *RxLength, response);
    });
    if (RecvPci != nullptr) RecvPci->Protocol = SendPci.Protocol;
    return CopyOut(rc, response, RxBuffer, RxLength);
}

RESPONSECODE IFDHControl(DWORD Lun, DWORD dwControlCode, PUCHAR /*TxBuffer*/, DWORD /*TxLength*/,
                         PUCHAR /*RxBuffer*/, DWORD /*RxLength*/, LPDWORD pdwBytesReturned) {
    if (pdwBytesReturned != nullptr) *pdwBytesReturned = 0;
    return WithChannel(Lun, IFD_NO_SUCH_DEVICE, [&](ReaderChannel&) -> RESPONSECODE {
        // The reader has no features of its own (no PIN pad, no display):
        // the feature list is empty and every other code is unsupported.
        return dwControlCode == CM_IOCTL_GET_FEATURE_REQUEST ? IFD_SUCCESS
                                                             : IFD_ERROR_NOT_SUPPORTED;
    });
}

RESPONSECODE IFDHICCPresence(DWORD Lun) {
    return WithChannel(Lun, IFD_NO_SUCH_DEVICE,
                       [](ReaderChannel& channel) { return channel.Presence(); });
}

}  // extern "C"
