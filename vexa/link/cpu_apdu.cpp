// SPDX-License-Identifier: MIT
// Exchanging an APDU with a CPU or module card under T=0 or T=1.
#include <algorithm>

#include "vexa.h"
#include "vexa/link/apdu.h"
#include "vexa/link/counted_hex.h"
#include "vexa/link/cpu_state.h"
#include "vexa/link/exchange.h"
#include "vexa/link/status.h"

namespace vexa {

namespace {

constexpr std::uint8_t kApduCpu = 0xA4;
constexpr std::uint8_t kApduModule = 0xA9;
constexpr std::size_t kApduHexArea = 1024;

std::int32_t ExchangeApdu(std::int32_t icdev, std::span<const std::uint8_t> apdu,
                          std::uint8_t* rlen, std::uint8_t* response) {
    if ((apdu.data() == nullptr && !apdu.empty()) || rlen == nullptr || response == nullptr)
        return kLengthError;
    ApduBytes body;
    std::int32_t st = BuildBody(apdu, body);
    if (st != kOk) return st;
    const CpuState cpu = CpuStateOf(icdev);
    const bool t1 = cpu.protocol == kProtocolT1;
    const ApduBytes sent = t1 ? BuildT1Block(body.View(), cpu.send_sequence) : body;
    const std::uint8_t code = CodeForSelectedType(kApduCpu, kApduModule);
    st = SendOnly(icdev, code, sent.View());
    if (st != kOk) return st;
    // The block reached the reader whole: the card has seen this N(S).
    if (t1) OwnCpuState(icdev).send_sequence = cpu.send_sequence ^ kSequenceBit;
    Response r;
    st = EchoStatus(ReceiveResponse(icdev, r.frame.data()), r, code);
    if (st != kOk) return st;
    const auto answer = t1 ? T1AnswerContent(r.Payload()) : r.Payload();
    std::copy(answer.begin(), answer.end(), response);
    *rlen = static_cast<std::uint8_t>(answer.size());
    return kOk;
}

}  // namespace

}  // namespace vexa

using namespace vexa;

int16_t IC_CpuApdu(int32_t icdev, int32_t slen, const unsigned char* command, unsigned char* rlen,
                   unsigned char* response) {
    return Finish(ExchangeApdu(icdev, {command, Low8(slen)}, rlen, response));
}

int16_t IC_CpuApdu_Hex(int32_t icdev, int32_t slen, const char* command, unsigned char* rlen,
                       char* response) {
    const int16_t n = Low16(slen);
    return WithHexInput<kApduHexArea>(command, n, [&](const std::uint8_t* apdu) -> int16_t {
        // Handing a longer APDU on would cut its length to one byte and send
        // a different command.
        if (static_cast<std::size_t>(n) > kMaxApdu) return Finish(kApduLength);
        return WithCountedHexOutput<kApduHexArea>(rlen, response,
                                                  [&](std::uint8_t* len, std::uint8_t* raw) {
                                                      return IC_CpuApdu(icdev, n, apdu, len, raw);
                                                  });
    });
}
