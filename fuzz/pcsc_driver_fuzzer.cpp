// SPDX-License-Identifier: MIT
// The PC/SC driver through its IFDH entry points against the simulated reader
// with any card. An input is
//
//   card     which simulated card is in the slot (past the last: none)
//   then, until the input ends, steps of
//   kind     bits 0-1: 0 a capability, 1 a power action, else an APDU
//   capability: tag selector (a known tag, or past them four bytes of tag),
//               then the buffer length
//   power:   the action (power up, down, reset, or any other value)
//   APDU:    flags (bit 0: any class rather than FF), the receive length
//            (two bytes), the APDU length, then the APDU bytes
//
// Every buffer the driver writes is a heap block of exactly the size given,
// so an overrun hits the sanitizer. A pseudo-APDU the driver refuses must
// leave the card exactly as it was.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "fuzz/fuzz_input.h"
#include "pcsc/ifd_interface.h"
#include "sim/card_factory.h"
#include "sim/host.h"
#include "vexa/link/library_state.h"

namespace {

constexpr DWORD kLun = 0;
constexpr std::uint8_t kPseudoClass = 0xFF;

constexpr DWORD kTags[] = {
    TAG_IFD_ATR,
    SCARD_ATTR_ATR_STRING,
    SCARD_ATTR_ICC_PRESENCE,
    SCARD_ATTR_CURRENT_PROTOCOL_TYPE,
    TAG_IFD_SLOTS_NUMBER,
    TAG_IFD_SIMULTANEOUS_ACCESS,
    TAG_IFD_THREAD_SAFE,
    TAG_IFD_SLOT_THREAD_SAFE,
    SCARD_ATTR_VENDOR_NAME,
    SCARD_ATTR_VENDOR_IFD_TYPE,
    SCARD_ATTR_VENDOR_IFD_VERSION,
};

std::unique_ptr<std::uint8_t[]> Buffer(std::size_t size) {
    return std::make_unique<std::uint8_t[]>(size);
}

std::string CardState(const sim::SimReader& reader) {
    return reader.card() ? reader.card()->Save() : "";
}

void Capability(fuzz::FuzzInput& input) {
    const std::uint8_t pick = input.Byte();
    const DWORD tag = pick < std::size(kTags) ? kTags[pick] : input.Long();
    DWORD length = input.Byte();
    auto value = Buffer(length);
    IFDHGetCapabilities(kLun, tag, &length, value.get());
}

bool MemoryCardAtr(const std::uint8_t* atr, DWORD length) {
    return length >= 2 && atr[0] == 0x3B && atr[1] == 0x04;
}

// Answers after which a pseudo-APDU may have changed the card: done, a wrong
// code (the counter took it), bytes that did not all read back.
bool MayHaveChanged(RESPONSECODE rc, const std::uint8_t* answer, DWORD length) {
    if (rc != IFD_SUCCESS || length < 2) return false;
    const std::uint8_t sw1 = answer[length - 2];
    const std::uint8_t sw2 = answer[length - 1];
    return (sw1 == 0x90 && sw2 == 0x00) || (sw1 == 0x63 && (sw2 & 0xF0) == 0xC0) ||
           (sw1 == 0x65 && sw2 == 0x81);
}

void Apdu(fuzz::FuzzInput& input, const sim::SimReader& reader, bool memory_card) {
    const bool any_class = input.Byte() & 1;
    DWORD rx_length = input.Word();
    const std::size_t tx_length = input.Byte();
    auto tx = Buffer(tx_length);
    const auto bytes = input.Take(tx_length);
    std::copy(bytes.begin(), bytes.end(), tx.get());
    if (!any_class && tx_length > 0) tx[0] = kPseudoClass;
    auto rx = Buffer(rx_length);
    const std::string before = CardState(reader);
    SCARD_IO_HEADER pci{SCARD_PROTOCOL_T0, 0};
    const RESPONSECODE rc = IFDHTransmitToICC(kLun, pci, tx.get(), static_cast<DWORD>(tx_length),
                                              rx.get(), &rx_length, &pci);
    if (memory_card && !MayHaveChanged(rc, rx.get(), rx_length) && CardState(reader) != before)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const auto cards = sim::CardNames();
    const std::size_t card = input.Byte() % (cards.size() + 1);
    sim::SimHost host;
    sim::SimReader& reader = host.AddReader();
    if (card < cards.size()) reader.Insert(sim::MakeCard(cards[card]));
    vexa::InstallHidHost(&host);
    IFDHCreateChannel(kLun, 0);
    std::uint8_t atr[MAX_ATR_SIZE] = {};
    DWORD atr_length = 0;
    IFDHPowerICC(kLun, IFD_POWER_UP, atr, &atr_length);
    while (!input.Empty()) {
        switch (input.Byte() & 3) {
            case 0:
                Capability(input);
                break;
            case 1:
                atr_length = 0;
                IFDHPowerICC(kLun, input.Byte(), atr, &atr_length);
                break;
            default:
                Apdu(input, reader, MemoryCardAtr(atr, atr_length));
        }
    }
    IFDHCloseChannel(kLun);
    vexa::ResetLibraryState();
    return 0;
}
