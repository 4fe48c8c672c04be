// SPDX-License-Identifier: MIT
// One reader served to pcscd: the device number the library gave it, the
// listing entry it was opened at and the card in its slot. The library keeps
// the CPU protocol per device number but its card selection process-wide, so
// each call first puts back this reader's selection; callers hold the driver
// lock around every call.
#pragma once

#include <cstdint>
#include <span>
#include <utility>

#include "pcsc/ifd_interface.h"
#include "pcsc/memory_card.h"
#include "pcsc/reader_listing.h"
#include "pcsc/status_words.h"

namespace ifd {

class ReaderChannel {
  public:
    ReaderChannel(std::int32_t icdev, ListedReader reader)
        : icdev_(icdev), reader_(std::move(reader)) {}
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

    // A failure of a reader that is no longer listed is IFD_NO_SUCH_DEVICE,
    // so that pcscd lets the reader go.
    RESPONSECODE Failed(RESPONSECODE rc) const;
    void Forget();
    std::uint8_t SelectedType() const;
    bool Reselect();
    void NoteSelected();
    bool ResetCpuCard();
    RESPONSECODE TransmitToCpuCard(std::span<const std::uint8_t> command, Bytes& response);

    std::int32_t icdev_;
    ListedReader reader_;
    Kind kind_ = Kind::kNone;
    MemoryCard memory_;
    Bytes atr_;
    std::uint8_t cpu_protocol_ = 0;  // as the card's answer to reset chose
};

}  // namespace ifd
