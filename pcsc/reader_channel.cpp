// SPDX-License-Identifier: MIT
#include "pcsc/reader_channel.h"

#include "pcsc/driver_log.h"
#include "pcsc/memory_apdu.h"
#include "vexa.h"

namespace ifd {

namespace {

constexpr std::size_t kMaxShortApdu = 255;
constexpr std::size_t kResponseArea = 256;

// Under T=1 the library unwraps the card's information blocks but hands a
// chained, receive-ready or supervisory block on whole (NAD, PCB, LEN, INF,
// LRC); it cannot answer them, so such an answer is no APDU response.
bool IsWholeT1Block(std::span<const std::uint8_t> answer) {
    constexpr std::uint8_t kNotInformation = 0x80;
    constexpr std::uint8_t kMoreData = 0x20;
    if (answer.size() < 4 || answer[0] != 0x00 || answer[2] != answer.size() - 4) return false;
    std::uint8_t lrc = 0;
    for (std::uint8_t b : answer) lrc ^= b;
    return lrc == 0 && (answer[1] & (kNotInformation | kMoreData)) != 0;
}

// The reader whose card the library's selection belongs to, and that type.
// Guarded by the driver lock like everything else here.
const ReaderChannel* selection_owner = nullptr;
std::uint8_t selection_type = 0;

}  // namespace

ReaderChannel::~ReaderChannel() {
    if (kind_ != Kind::kNone) PowerDown();
    if (selection_owner == this) selection_owner = nullptr;
    IC_ExitComm(icdev_);
}

DWORD ReaderChannel::Protocol() const {
    return kind_ == Kind::kCpu && cpu_protocol_ == VEXA_PROTOCOL_T1 ? SCARD_PROTOCOL_T1
                                                                    : SCARD_PROTOCOL_T0;
}

RESPONSECODE ReaderChannel::Failed(RESPONSECODE rc) const {
    if (IsListed(reader_)) return rc;
    Log(PCSC_LOG_INFO, "reader %s is gone", reader_.path.c_str());
    return IFD_NO_SUCH_DEVICE;
}

void ReaderChannel::Forget() {
    kind_ = Kind::kNone;
    atr_.clear();
}

std::uint8_t ReaderChannel::SelectedType() const {
    return kind_ == Kind::kMemory ? TraitsOf(memory_.family).type_code : VEXA_TYPE_CPU;
}

void ReaderChannel::NoteSelected() {
    selection_owner = this;
    selection_type = SelectedType();
}

// Another reader may have selected its own card since this one was last used.
// On a refusal the library keeps that other selection, under which no command
// of this card may run: a write would reach it as another family.
bool ReaderChannel::Reselect() {
    if (selection_owner == this && selection_type == SelectedType()) return true;
    if (IC_InitType(icdev_, SelectedType()) == 0) {
        NoteSelected();
        return true;
    }
    selection_owner = nullptr;
    Log(PCSC_LOG_ERROR, "card type %u not selected again", unsigned{SelectedType()});
    return false;
}

RESPONSECODE ReaderChannel::Presence() {
    if (!Reselect()) return Failed(IFD_COMMUNICATION_ERROR);
    const std::int16_t st = IC_Status(icdev_);
    if (st == 0) return IFD_ICC_PRESENT;
    if (st == VEXA_NO_CARD) {
        Forget();
        return IFD_ICC_NOT_PRESENT;
    }
    return Failed(IFD_COMMUNICATION_ERROR);
}

bool ReaderChannel::ResetCpuCard() {
    std::uint8_t length = 0;
    std::uint8_t atr[kResponseArea] = {};
    if (IC_InitType(icdev_, VEXA_TYPE_CPU) != 0 || IC_CpuReset(icdev_, &length, atr) != 0 ||
        length == 0 || length > MAX_ATR_SIZE)
        return false;
    kind_ = Kind::kCpu;
    atr_.assign(atr, atr + length);
    cpu_protocol_ = static_cast<std::uint8_t>(IC_CpuGetProtocol(icdev_));
    return true;
}

// The card is found by reads and resets only: the SLE families by the byte
// that names them, then a CPU card by its answer to reset, then a serial
// EEPROM by a read of its first block. With the slot empty the reader's own
// memory would answer as a 24C16, so the slot is looked at first.
RESPONSECODE ReaderChannel::PowerUp() {
    Forget();
    selection_owner = nullptr;
    if (const std::int16_t st = IC_Status(icdev_); st != 0) {
        Log(PCSC_LOG_INFO, "power up: reader status %d (1: no card)", st);
        return st == VEXA_NO_CARD ? IFD_ERROR_POWER_ACTION : Failed(IFD_ERROR_POWER_ACTION);
    }
    auto memory = DetectProtectedMemoryCard(icdev_);
    if (!memory && !ResetCpuCard()) memory = DetectEepromCard(icdev_);
    if (memory) {
        kind_ = Kind::kMemory;
        memory_ = memory->card;
        atr_ = memory->atr;
    }
    if (kind_ == Kind::kNone) {
        Log(PCSC_LOG_INFO, "power up: no card the driver serves");
        return Failed(IFD_ERROR_POWER_ACTION);
    }
    Log(PCSC_LOG_INFO, "power up: %s card, ATR of %zu bytes",
        kind_ == Kind::kCpu ? "CPU" : "memory", atr_.size());
    NoteSelected();
    return IFD_SUCCESS;
}

RESPONSECODE ReaderChannel::PowerDown() {
    if (!Reselect()) {
        Forget();
        return Failed(IFD_ERROR_POWER_ACTION);
    }
    const std::int16_t st = IC_Down(icdev_);
    Log(PCSC_LOG_INFO, "power down: library status %d", st);
    Forget();
    return st == 0 ? IFD_SUCCESS : Failed(IFD_ERROR_POWER_ACTION);
}

RESPONSECODE ReaderChannel::Reset() {
    if (kind_ != Kind::kCpu) return PowerUp();
    if (ResetCpuCard()) {
        NoteSelected();
        return IFD_SUCCESS;
    }
    Forget();
    return Failed(IFD_ERROR_POWER_ACTION);
}

RESPONSECODE ReaderChannel::SetProtocol(DWORD protocol) {
    if (kind_ == Kind::kNone) return IFD_COMMUNICATION_ERROR;
    // Memory cards take their pseudo-APDUs under any protocol; a CPU card
    // speaks the one its answer to reset chose, the reader negotiates no other.
    if (kind_ == Kind::kMemory) return IFD_SUCCESS;
    return protocol == Protocol() ? IFD_SUCCESS : IFD_PROTOCOL_NOT_SUPPORTED;
}

RESPONSECODE ReaderChannel::TransmitToCpuCard(std::span<const std::uint8_t> command,
                                              Bytes& response) {
    if (command.size() > kMaxShortApdu) return IFD_COMMUNICATION_ERROR;
    std::uint8_t length = 0;
    std::uint8_t answer[kResponseArea] = {};
    const std::int16_t st = IC_CpuApdu(icdev_, static_cast<std::int32_t>(command.size()),
                                       command.data(), &length, answer);
    if (st != 0) {
        Log(PCSC_LOG_ERROR, "CPU card APDU failed with library status %d", st);
        return Failed(IFD_COMMUNICATION_ERROR);
    }
    if (cpu_protocol_ == VEXA_PROTOCOL_T1 && IsWholeT1Block({answer, length}))
        return IFD_COMMUNICATION_ERROR;
    response.assign(answer, answer + length);
    return IFD_SUCCESS;
}

RESPONSECODE ReaderChannel::Transmit(std::span<const std::uint8_t> command, std::size_t room,
                                     Bytes& response) {
    if (kind_ == Kind::kNone) return IFD_ICC_NOT_PRESENT;
    // Every answer ends in a status word; a memory card's read brings Le bytes.
    const std::size_t needed = kind_ == Kind::kCpu ? AnswerRoom({}) : AnswerRoom(command);
    if (room < needed) return IFD_ERROR_INSUFFICIENT_BUFFER;
    if (!Reselect()) return Failed(IFD_COMMUNICATION_ERROR);
    if (kind_ == Kind::kCpu) return TransmitToCpuCard(command, response);
    const Reply reply = ExecuteMemoryApdu(icdev_, memory_, command);
    NoteSelected();
    if (!reply.reached) return Failed(IFD_COMMUNICATION_ERROR);
    LogStatusWord(command, reply.status);
    response = reply.Encoded();
    return IFD_SUCCESS;
}

}  // namespace ifd
