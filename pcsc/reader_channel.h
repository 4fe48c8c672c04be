// SPDX-License-Identifier: MIT
// One reader served to pcscd: the device number the library gave it and the
// card in its slot. The library keeps its card selection and CPU protocol
// process-wide, so each call first puts back this reader's selection;
// callers hold the driver lock around every call.
#pragma once

#include <cstdint>
#include <span>

#include "pcsc/ifd_interface.h"
#include "pcsc/memory_card.h"
#include "pcsc/status_words.h"

namespace ifd {

class ReaderChannel {
  public:
    explicit ReaderChannel(std::int32_t icdev) : icdev_(icdev) {}
    ReaderChannel(const ReaderChannel&) = delete;
    ReaderChannel& operator=(const ReaderChannel&) = delete;
    // Powers the card down and closes the reader.
    ~ReaderChannel();

    std::int32_t icdev() const { return icdev_; }
    const Bytes& atr() const { return atr_; }
    bool HoldsCpuCard() const { return kind_ == Kind::kCpu; }
    // SCARD_PROTOCOL_T0 or _T1 of a CPU card; memory cards answer T=0.
    DWORD Protocol() const;

    RESPONSECODE Presence();
    RESPONSECODE PowerUp();
    RESPONSECODE PowerDown();
    // A warm reset: a CPU card is reset again, a memory card found anew.
    RESPONSECODE Reset();
    RESPONSECODE SetProtocol(DWORD protocol);
    // `room`: the bytes the caller can take; a command whose answer cannot fit
    // is refused before it reaches the card.
    RESPONSECODE Transmit(std::span<const std::uint8_t> command, std::size_t room, Bytes& response);

  private:
    enum class Kind { kNone, kCpu, kMemory };

    void Forget();
    std::uint8_t SelectedType() const;
    void Reselect();
    void NoteSelected();
    bool ResetCpuCard();
    RESPONSECODE TransmitToCpuCard(std::span<const std::uint8_t> command, Bytes& response);

    std::int32_t icdev_;
    Kind kind_ = Kind::kNone;
    MemoryCard memory_;
    Bytes atr_;
    std::uint8_t cpu_protocol_ = 0;  // the library's protocol flag after the reset
};

}  // namespace ifd
