// SPDX-License-Identifier: MIT
#include "sim/environment.h"

#include <memory>
#include <string_view>
#include <utility>

#include "sim/card_factory.h"
#include "sim/state_file.h"

namespace sim {

namespace {

constexpr std::string_view kNoCard = "none";

std::string ValueOr(const std::function<const char*(const char*)>& env, const char* name,
                    std::string fallback) {
    const char* value = env(name);
    return value != nullptr && *value != '\0' ? std::string(value) : fallback;
}

void KnownNames(std::ostream& out) {
    for (std::string_view name : CardNames()) out << ' ' << name;
    out << ' ' << kNoCard;
}

// Loads the card's state and keeps the file up to date after each command.
void KeepState(SimReader& reader, const std::string& path, std::ostream& warn) {
    auto file = std::make_shared<StateFile>(path);
    if (file->Restore(*reader.card()) == StateFile::Restored::kRejected) {
        warn << "vexa simulator: " << path
             << " does not hold a state of this card; starting with a fresh card\n";
    }
    reader.after_card_command = [file, path, &warn, told = false](const Card& card) mutable {
        if (!file->Keep(card) && !std::exchange(told, true)) {
            warn << "vexa simulator: cannot write " << path << '\n';
        }
    };
}

// Attaches a reader with the named card in its slot.
void AttachReader(SimHost& host, std::string_view name, const std::string& state_path,
                  std::ostream& warn) {
    SimReader& reader = host.AddReader();
    if (name == kNoCard) return;
    std::unique_ptr<Card> card = MakeCard(name);
    if (!card) {
        warn << "vexa simulator: no card named \"" << name << "\"; known:";
        KnownNames(warn);
        warn << "\n";
        return;
    }
    reader.Insert(std::move(card));
    if (!state_path.empty()) KeepState(reader, state_path, warn);
}

}  // namespace

Settings ReadSettings(const std::function<const char*(const char*)>& env) {
    Settings s;
    s.card = ValueOr(env, "VEXA_SIM_CARD", s.card);
    s.state_path = ValueOr(env, "VEXA_SIM_STATE", "");
    s.reader_attached = ValueOr(env, "VEXA_SIM_READERS", "1") != "0";
    s.pace = ValueOr(env, "VEXA_SIM_PACE", "0") == "1";
    return s;
}

void BuildMachine(SimHost& host, const Settings& settings, std::ostream& warn) {
    host.pace = settings.pace;
    if (!settings.reader_attached) return;
    // One reader for each card named; the state file keeps the first one's.
    std::string_view cards = settings.card;
    while (true) {
        const std::size_t comma = cards.find(',');
        const bool first = host.ReaderCount() == 0;
        AttachReader(host, cards.substr(0, comma), first ? settings.state_path : "", warn);
        if (comma == std::string_view::npos) return;
        cards.remove_prefix(comma + 1);
    }
}

}  // namespace sim
