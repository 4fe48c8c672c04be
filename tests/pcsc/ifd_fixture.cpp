// SPDX-License-Identifier: MIT
#include "tests/pcsc/ifd_fixture.h"

#include <cstdio>

namespace ifd_test {

Bytes FromHex(const std::string& text) {
    Bytes bytes;
    std::string digits;
    for (char c : text) {
        if (c != ' ') digits += c;
    }
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return bytes;
}

std::string ToHex(const Bytes& bytes) {
    std::string text;
    char byte[4];
    for (std::uint8_t b : bytes) {
        std::snprintf(byte, sizeof byte, "%02X", b);
        if (!text.empty()) text += ' ';
        text += byte;
    }
    return text;
}

namespace {
std::string Failure(RESPONSECODE rc) {
    return "error " + std::to_string(rc);
}
}  // namespace

std::string Transmit(DWORD lun, const std::string& apdu, DWORD room) {
    Bytes command = FromHex(apdu);
    Bytes response(room);
    DWORD length = static_cast<DWORD>(response.size());
    SCARD_IO_HEADER pci{SCARD_PROTOCOL_T0, 0};
    SCARD_IO_HEADER received{SCARD_PROTOCOL_UNDEFINED, 0};
    const RESPONSECODE rc =
        IFDHTransmitToICC(lun, pci, command.data(), static_cast<DWORD>(command.size()),
                          response.data(), &length, &received);
    if (rc != IFD_SUCCESS) return Failure(rc);
    EXPECT_EQ(received.Protocol, pci.Protocol);
    response.resize(length);
    return ToHex(response);
}

std::string PowerUp(DWORD lun) {
    Bytes atr(MAX_ATR_SIZE);
    DWORD length = 0;
    const RESPONSECODE rc = IFDHPowerICC(lun, IFD_POWER_UP, atr.data(), &length);
    if (rc != IFD_SUCCESS) return Failure(rc);
    atr.resize(length);
    return ToHex(atr);
}

}  // namespace ifd_test
