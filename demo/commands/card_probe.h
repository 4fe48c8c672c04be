// SPDX-License-Identifier: MIT
// Finds out which card family sits in the reader by trying the families one
// after another: an identification value read from the card, or a probe
// write that only that family accepts. Whatever a probe writes goes into a
// test area or is written back.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace demo {

class CardProbe {
  public:
    explicit CardProbe(std::int32_t icdev) : icdev_(icdev) {}

    // The card type code found, or nullopt. A CPU card's protocol is stored
    // in `cpu_protocol`.
    std::optional<int> Run(std::int32_t& cpu_protocol);

  private:
    enum class Kind { kNext, kFound, kNotFound };
    struct Verdict {
        Kind kind;
        int card_type = 0;
    };
    using Pair = std::array<std::uint8_t, 2>;
    struct Step;
    static const Step kSteps[];

    static Verdict Next() { return {Kind::kNext}; }
    static Verdict Found(int card_type) { return {Kind::kFound, card_type}; }
    static Verdict NotFound() { return {Kind::kNotFound}; }

    Verdict ProbeCpu();
    Verdict ProbeSsf1101();
    Verdict Probe45D041();
    Verdict ProbeAt88sc1608();
    Verdict ProbeAt88sc153();
    Verdict ProbeSle4404();
    Verdict ProbeSle4442();
    Verdict ProbeSle4428();
    Verdict ProbeSmallEeprom();
    Verdict Probe24C64();
    Verdict ProbeAt88sc1604();
    Verdict ProbeAt88sc102();
    Verdict SizeSmallEeprom();
    Verdict TryEepromSize(int high, int low, int card_type);
    Verdict TellEeprom128From256();

    std::optional<Pair> ReadPair(int offset);
    bool Read(int offset, std::span<std::uint8_t> out);
    bool Write(int offset, std::span<const std::uint8_t> data);
    // Writes back bytes saved before probing, if they could be saved.
    void Restore(int offset, const std::optional<Pair>& saved);
    void RestoreByte0();
    bool IdentifiedBy(int offset, std::uint8_t value);

    std::int32_t icdev_;
    std::int32_t* cpu_protocol_ = nullptr;
    std::uint8_t byte0_ = 0;
};

}  // namespace demo
