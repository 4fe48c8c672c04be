// SPDX-License-Identifier: MIT
#include "sim/card_factory.h"

#include <algorithm>
#include <array>

#include "sim/card_24c.h"
#include "sim/card_45db041.h"
#include "sim/card_cpu.h"
#include "sim/card_sle4428.h"
#include "sim/card_sle4442.h"

namespace sim {

namespace {

template <class T>
std::unique_ptr<Card> Make() {
    return std::make_unique<T>();
}

template <const Eeprom24CChip& chip>
std::unique_ptr<Card> Make24C() {
    return std::make_unique<Eeprom24CCard>(chip);
}

template <CpuProfile (*profile)()>
std::unique_ptr<Card> MakeCpu() {
    return std::make_unique<CpuCard>(profile());
}

struct Entry {
    std::string_view name;
    std::unique_ptr<Card> (*make)();
};

// A security access module answers like the T=0 CPU card; only the reset and
// APDU command codes the library picks for it differ.
constexpr Entry kCards[] = {
    {"sle4442", Make<Sle4442Card>},      {"sle4428", Make<Sle4428Card>},
    {"24c01", Make24C<k24C01>},          {"24c02", Make24C<k24C02>},
    {"24c04", Make24C<k24C04>},          {"24c08", Make24C<k24C08>},
    {"24c16", Make24C<k24C16>},          {"24c64", Make24C<k24C64>},
    {"45db041", Make<Flash45DB041Card>}, {"cpu-t0", MakeCpu<CpuT0Profile>},
    {"cpu-t1", MakeCpu<CpuT1Profile>},   {"sam", MakeCpu<CpuT0Profile>},
    {"24c02-mirrored", Make24C<k24C02Mirrored>},
};

constexpr auto kNames = [] {
    std::array<std::string_view, std::size(kCards)> names{};
    std::transform(std::begin(kCards), std::end(kCards), names.begin(),
                   [](const Entry& e) { return e.name; });
    return names;
}();

}  // namespace

std::unique_ptr<Card> MakeCard(std::string_view name) {
    const auto* it = std::find_if(std::begin(kCards), std::end(kCards),
                                  [name](const Entry& e) { return e.name == name; });
    return it == std::end(kCards) ? nullptr : it->make();
}

std::span<const std::string_view> CardNames() {
    return kNames;
}

}  // namespace sim
