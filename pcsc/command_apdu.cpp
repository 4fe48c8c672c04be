// SPDX-License-Identifier: MIT
#include "pcsc/command_apdu.h"

namespace ifd {

namespace {
constexpr std::size_t kHeader = 4;

int LeValue(std::uint8_t byte) {
    return byte == 0 ? kLeMax : byte;
}
}  // namespace

std::optional<CommandApdu> ParseCommandApdu(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kHeader) return std::nullopt;
    CommandApdu apdu{bytes[0], bytes[1], bytes[2], bytes[3], {}, std::nullopt};
    const auto body = bytes.subspan(kHeader);
    if (body.empty()) return apdu;
    if (body.size() == 1) {
        apdu.le = LeValue(body[0]);
        return apdu;
    }
    const std::size_t lc = body[0];
    if (lc == 0 || body.size() < 1 + lc || body.size() > 2 + lc) return std::nullopt;
    apdu.data = body.subspan(1, lc);
    if (body.size() == 2 + lc) apdu.le = LeValue(body.back());
    return apdu;
}

}  // namespace ifd
