// SPDX-License-Identifier: MIT
#include "tests/kernel/pcsc_client.h"

#include <algorithm>
#include <thread>

namespace kernel_test {

namespace {

constexpr auto kPoll = std::chrono::milliseconds(10);

// Calls `done` every few milliseconds until it is true or `patience` ran out.
template <typename Done>
bool Await(Seconds patience, Done done) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kPoll);
    }
    return true;
}

}  // namespace

PcscClient::PcscClient(Seconds patience) {
    ok_ = Await(patience, [this] {
        return SCardEstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &context_) ==
               SCARD_S_SUCCESS;
    });
}

PcscClient::~PcscClient() {
    if (ok_) SCardReleaseContext(context_);
}

std::vector<std::string> PcscClient::Readers() const {
    DWORD size = 0;
    if (!ok_ || SCardListReaders(context_, nullptr, nullptr, &size) != SCARD_S_SUCCESS) return {};
    std::string names(size, '\0');
    if (SCardListReaders(context_, nullptr, names.data(), &size) != SCARD_S_SUCCESS) return {};
    names.resize(std::min<std::size_t>(size, names.size()));
    // A list of zero-terminated names, ended by an empty one.
    std::vector<std::string> readers;
    for (std::size_t at = 0; at < names.size() && names[at] != '\0';) {
        readers.emplace_back(names.c_str() + at);
        at += readers.back().size() + 1;
    }
    return readers;
}

std::string PcscClient::WaitForNewReader(const std::vector<std::string>& known, Seconds patience,
                                         bool with_card) const {
    std::string found;
    Await(patience, [&] {
        for (const std::string& name : Readers()) {
            const bool fresh = std::find(known.begin(), known.end(), name) == known.end();
            if (fresh && (!with_card || HasCard(name))) found = name;
        }
        return !found.empty();
    });
    return found;
}

bool PcscClient::HasCard(const std::string& name) const {
    SCARD_READERSTATE state{};
    state.szReader = name.c_str();
    state.dwCurrentState = SCARD_STATE_UNAWARE;
    return SCardGetStatusChange(context_, 0, &state, 1) == SCARD_S_SUCCESS &&
           (state.dwEventState & SCARD_STATE_PRESENT) != 0;
}

bool PcscClient::WaitUntilGone(const std::string& name, Seconds patience) const {
    return Await(patience, [&] {
        const auto readers = Readers();
        return std::find(readers.begin(), readers.end(), name) == readers.end();
    });
}

PcscCard::PcscCard(const PcscClient& client, const std::string& reader)
    : status_(SCardConnect(client.context(), reader.c_str(), SCARD_SHARE_SHARED,
                           SCARD_PROTOCOL_T0 | SCARD_PROTOCOL_T1, &card_, &protocol_)) {}

PcscCard::~PcscCard() {
    if (status_ == SCARD_S_SUCCESS) SCardDisconnect(card_, SCARD_LEAVE_CARD);
}

std::vector<std::uint8_t> PcscCard::Transmit(const std::vector<std::uint8_t>& apdu, LONG& rv) {
    std::vector<std::uint8_t> response(MAX_BUFFER_SIZE_EXTENDED);
    DWORD length = static_cast<DWORD>(response.size());
    const SCARD_IO_REQUEST* pci = protocol_ == SCARD_PROTOCOL_T1 ? SCARD_PCI_T1 : SCARD_PCI_T0;
    rv = SCardTransmit(card_, pci, apdu.data(), static_cast<DWORD>(apdu.size()), nullptr,
                       response.data(), &length);
    response.resize(rv == SCARD_S_SUCCESS ? length : 0);
    return response;
}

}  // namespace kernel_test
