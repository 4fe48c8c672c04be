// SPDX-License-Identifier: MIT
// The scenario's PC/SC application: pcscd's readers and the cards in them as
// any client sees them through libpcsclite. Every wait is bounded.
#pragma once

#include <winscard.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace kernel_test {

using Seconds = std::chrono::duration<double>;

class PcscClient {
  public:
    // Waits up to `patience` for pcscd to take clients.
    explicit PcscClient(Seconds patience);
    ~PcscClient();
    PcscClient(const PcscClient&) = delete;
    PcscClient& operator=(const PcscClient&) = delete;

    bool ok() const { return ok_; }
    SCARDCONTEXT context() const { return context_; }
    std::vector<std::string> Readers() const;
    // The first reader listed that is not in `known`, once there is one, and
    // with `with_card` once pcscd has also found a card in it (a reader is
    // listed before its driver has opened it, and while pcscd adds it the
    // list may show a name it does not keep); empty if none came within
    // `patience`.
    std::string WaitForNewReader(const std::vector<std::string>& known, Seconds patience,
                                 bool with_card = false) const;
    // True once `name` is no longer listed, within `patience`.
    bool WaitUntilGone(const std::string& name, Seconds patience) const;

  private:
    bool HasCard(const std::string& name) const;

    SCARDCONTEXT context_ = 0;
    bool ok_ = false;
};

// A shared connection to the card in one reader, under T=0 or T=1.
class PcscCard {
  public:
    PcscCard(const PcscClient& client, const std::string& reader);
    ~PcscCard();
    PcscCard(const PcscCard&) = delete;
    PcscCard& operator=(const PcscCard&) = delete;

    LONG status() const { return status_; }
    // The response with its status word; its failure code in `rv`.
    std::vector<std::uint8_t> Transmit(const std::vector<std::uint8_t>& apdu, LONG& rv);

  private:
    SCARDHANDLE card_ = 0;
    DWORD protocol_ = 0;
    LONG status_;
};

}  // namespace kernel_test
