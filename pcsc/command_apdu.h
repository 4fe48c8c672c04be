// SPDX-License-Identifier: MIT
// A short command APDU taken apart: header, the data field and the expected
// length, as ISO 7816-4 lays out its four cases.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace ifd {

// What Le 00 asks for.
constexpr int kLeMax = 256;

struct CommandApdu {
    std::uint8_t cla = 0;
    std::uint8_t ins = 0;
    std::uint8_t p1 = 0;
    std::uint8_t p2 = 0;
    std::span<const std::uint8_t> data;  // empty when there is no Lc
    std::optional<int> le;               // Le 00 stands for 256

    int P1P2() const { return p1 << 8 | p2; }
};

// nullopt when the bytes are not one of the four cases (too short, or an Lc
// that disagrees with the length).
std::optional<CommandApdu> ParseCommandApdu(std::span<const std::uint8_t> bytes);

}  // namespace ifd
