// SPDX-License-Identifier: MIT
#include "sim/sle_common.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "sim/foreign_command.h"

namespace sim {

namespace {

constexpr std::uint8_t kProtocol24C = 0x10;
constexpr std::uint8_t kProtocol4442 = 0x11;
constexpr std::uint8_t kProtocol4428 = 0x12;
constexpr std::uint8_t kProtocol45DB = 0x13;

std::optional<std::uint8_t> ProtocolOf(std::uint8_t code) {
    if (code == 0xAE || code == 0xAF) return kProtocol45DB;
    if (code >= 0xB0 && code <= 0xB3) return kProtocol24C;
    if (code >= 0xB4 && code <= 0xBA) return kProtocol4442;
    if (code >= 0xBB && code <= 0xBF) return kProtocol4428;
    return std::nullopt;
}

// How many bytes a read command of any family asks for; nullopt for other
// commands and malformed reads.
std::optional<std::size_t> ReadLength(const Command& cmd) {
    const auto size = cmd.data.size();
    switch (cmd.code) {
        case 0xAE:
            return size == 5 ? std::optional<std::size_t>(cmd.data[4]) : std::nullopt;
        case 0xB4:
            return size == 2 ? std::optional<std::size_t>(cmd.data[1]) : std::nullopt;
        case 0xB7:
            return size == 2 ? std::optional<std::size_t>(4) : std::nullopt;
        case 0xB9:
            return size == 0 ? std::optional<std::size_t>(4) : std::nullopt;
        case 0xBB:
            return size == 3 ? std::optional<std::size_t>(cmd.data[2]) : std::nullopt;
        case 0xBE:
            return size == 3 ? std::optional<std::size_t>(2 * cmd.data[2]) : std::nullopt;
        default:
            return std::nullopt;
    }
}

std::optional<Transfer> ParseHeader(std::span<const std::uint8_t> data, std::size_t address_bytes) {
    if (data.size() < address_bytes + 1) return std::nullopt;
    Transfer t;
    for (std::size_t i = 0; i < address_bytes; ++i) t.address |= std::size_t{data[i]} << (8 * i);
    t.count = data[address_bytes];
    t.bytes = data.subspan(address_bytes + 1);
    return t;
}

}  // namespace

std::optional<Transfer> ParseRead(std::span<const std::uint8_t> data, std::size_t address_bytes) {
    auto t = ParseHeader(data, address_bytes);
    if (!t || !t->bytes.empty()) return std::nullopt;
    return t;
}

std::optional<Transfer> ParseWrite(std::span<const std::uint8_t> data, std::size_t address_bytes) {
    auto t = ParseHeader(data, address_bytes);
    if (!t || t->bytes.size() != t->count) return std::nullopt;
    return t;
}

Reply PresentCode(std::uint8_t command, std::uint8_t& counter, std::uint8_t mask,
                  std::span<const std::uint8_t> stored, std::span<const std::uint8_t> presented,
                  bool& verified) {
    if (presented.size() != stored.size()) return Refuse(kWordCommandError);
    verified = false;
    const std::uint8_t attempts = counter & mask;
    if (attempts == 0) return Refuse(kWordCardLocked);
    counter &= static_cast<std::uint8_t>(~std::bit_floor(attempts));
    if (!std::equal(stored.begin(), stored.end(), presented.begin())) {
        return Refuse(kWordWrongCode);
    }
    counter |= mask;
    verified = true;
    return Echo(command);
}

Reply ForeignCommand(const Command& cmd) {
    const auto protocol = ProtocolOf(cmd.code);
    const bool clocked_read = protocol && *protocol == cmd.reader_code &&
                              *protocol != kProtocol24C && ReadLength(cmd).has_value();
    if (!clocked_read) return RefuseForeign(cmd.code);
    return Echo(cmd.code, std::vector<std::uint8_t>(*ReadLength(cmd), kFloatingLine));
}

}  // namespace sim
