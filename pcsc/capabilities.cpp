// SPDX-License-Identifier: MIT
#include "pcsc/capabilities.h"

#include <cstring>
#include <string_view>

namespace ifd {

namespace {

constexpr std::string_view kVendorName = "Tavix";
constexpr std::string_view kReaderType = "Tavix USB smart-card reader";
constexpr DWORD kDriverVersion = 0x01000000;  // 1.0.0 as 0xMMmmbbbb
// pcscd serves at most 16 readers; the library numbers them by port.
constexpr UCHAR kReadersServed = 16;

RESPONSECODE Put(const void* bytes, DWORD size, PDWORD length, PUCHAR value) {
    if (length == nullptr || value == nullptr) return IFD_COMMUNICATION_ERROR;
    if (*length < size) return IFD_ERROR_INSUFFICIENT_BUFFER;
    // An empty value (no answer to reset yet) may come without any bytes.
    if (size != 0) std::memcpy(value, bytes, size);
    *length = size;
    return IFD_SUCCESS;
}

RESPONSECODE PutByte(UCHAR byte, PDWORD length, PUCHAR value) {
    return Put(&byte, 1, length, value);
}

RESPONSECODE PutDword(DWORD word, PDWORD length, PUCHAR value) {
    return Put(&word, sizeof word, length, value);
}

RESPONSECODE PutText(std::string_view text, PDWORD length, PUCHAR value) {
    return Put(text.data(), static_cast<DWORD>(text.size()), length, value);
}

}  // namespace

RESPONSECODE GetCapability(const ReaderChannel& channel, DWORD tag, PDWORD length, PUCHAR value) {
    switch (tag) {
        case TAG_IFD_ATR:
        case SCARD_ATTR_ATR_STRING:
            return Put(channel.atr().data(), static_cast<DWORD>(channel.atr().size()), length,
                       value);
        case SCARD_ATTR_ICC_PRESENCE:
            return PutByte(channel.atr().empty() ? 0 : 2, length, value);
        case SCARD_ATTR_CURRENT_PROTOCOL_TYPE:
            return PutDword(channel.Protocol(), length, value);
        case TAG_IFD_SLOTS_NUMBER:
            return PutByte(1, length, value);
        case TAG_IFD_SIMULTANEOUS_ACCESS:
            return PutByte(kReadersServed, length, value);
        // Every call is serialised inside the driver, so pcscd may call for
        // several readers at once.
        case TAG_IFD_THREAD_SAFE:
            return PutByte(1, length, value);
        case TAG_IFD_SLOT_THREAD_SAFE:
            return PutByte(0, length, value);
        case SCARD_ATTR_VENDOR_NAME:
            return PutText(kVendorName, length, value);
        case SCARD_ATTR_VENDOR_IFD_TYPE:
            return PutText(kReaderType, length, value);
        case SCARD_ATTR_VENDOR_IFD_VERSION:
            return PutDword(kDriverVersion, length, value);
        default:
            return IFD_ERROR_TAG;
    }
}

}  // namespace ifd
