// SPDX-License-Identifier: MIT
#include "demo/view/card_types.h"

#include <algorithm>
#include <iterator>

#include "demo/res/menus.h"

namespace demo {

namespace {

struct CardTypeInfo {
    int code;
    const char* name;
    int capacity;  // 0: keeps the previous capacity
    int library_code;
    int menu_bar;
};

constexpr CardTypeInfo kCardTypes[] = {
    {card::kSle4406, "4406", 1024, library_type::kSle4406, menu::kMain},
    {card::kSle4418, "4418", 1024, VEXA_TYPE_SLE4428, menu::kMain},
    {card::kSle4428, "4428", 1024, VEXA_TYPE_SLE4428, menu::kProtectedMemory},
    {card::kGemplus103, "GEMPLUS103", 256, library_type::kGemplus103, menu::kMain},
    {card::kSle4404, "4404", 52, library_type::kSle4404, menu::kMain},
    {card::kCpu, "CPU", 0, VEXA_TYPE_CPU, menu::kCpu},
    {card::kSam, "SAM CARD", 0, VEXA_TYPE_SAM1, menu::kCpu},
    {card::kSle4432, "4432", 256, VEXA_TYPE_SLE4442, menu::kMain},
    {card::kSle4442, "4442", 256, VEXA_TYPE_SLE4442, menu::kProtectedMemory},
    {card::kAt88sc101, "101", 128, library_type::kAt88sc10x, menu::kMain},
    {card::kAt88sc102, "102", 178, library_type::kAt88sc10x, menu::kAt88sc102},
    {card::kAt88sc103, "103", 250, library_type::kAt88sc10x, menu::kMain},
    {card::k24C01A, "24C01A", 128, VEXA_TYPE_24C, menu::kSerialMemory},
    {card::k24C02, "24C02", 256, VEXA_TYPE_24C, menu::kSerialMemory},
    {card::k24C04, "24C04", 512, VEXA_TYPE_24C, menu::kSerialMemory},
    {card::k24C08, "24C08", 1024, VEXA_TYPE_24C, menu::kSerialMemory},
    {card::k24C16, "24C16", 2048, VEXA_TYPE_24C, menu::kSerialMemory},
    {card::kAt88sc1604A, "1604A", 2007, library_type::kAt88sc1604, menu::kAt88sc1604},
    {card::k45D041, "45D041", 264, VEXA_TYPE_45DB041, menu::kSerialMemory},
    {card::kAt88sc1604B, "1604B", 2040, library_type::kAt88sc1604, menu::kAt88sc1604},
    {card::kSsf1101, "SSF1101", 1024, library_type::kSsf1101, menu::kSerialMemory},
    {card::k24C64, "24C64", 8192, VEXA_TYPE_24C64, menu::kSerialMemory},
    {card::kAt88sc1608, "1608", 256, library_type::kAt88sc1608, menu::kAt88sc1608},
    {card::kAt88sc153, "153", 256, library_type::kAt88sc153, menu::kMain},
};

const CardTypeInfo* Find(int code) {
    auto it = std::find_if(std::begin(kCardTypes), std::end(kCardTypes),
                           [code](const CardTypeInfo& t) { return t.code == code; });
    return it == std::end(kCardTypes) ? nullptr : &*it;
}

}  // namespace

int LibraryTypeCode(int card_type) {
    const CardTypeInfo* info = Find(card_type);
    return info ? info->library_code : card_type;
}

int MenuBarFor(int card_type) {
    const CardTypeInfo* info = Find(card_type);
    return info ? info->menu_bar : menu::kMain;
}

std::string CardTypeName(int card_type, int cpu_protocol) {
    if (card_type == card::kCpu) {
        if (cpu_protocol == VEXA_PROTOCOL_T0) return "CPU T=0";
        if (cpu_protocol == VEXA_PROTOCOL_T1) return "CPU T=1";
        return "CPU    ";
    }
    const CardTypeInfo* info = Find(card_type);
    return info ? info->name : "Invalid Type";
}

int CardCapacity(int card_type, int zone, int previous) {
    if (card_type == card::kAt88sc1608 && zone >= kConfigZone) return 128;
    const CardTypeInfo* info = Find(card_type);
    return info && info->capacity > 0 ? info->capacity : previous;
}

int CodeAttemptsOrFailure(int card_type, int count) {
    constexpr int kSle4442MaxAttempts = 3;
    constexpr int kSle4428MaxAttempts = 8;
    const int most = card_type == card::kSle4442   ? kSle4442MaxAttempts
                     : card_type == card::kSle4428 ? kSle4428MaxAttempts
                                                   : count;
    return count > most ? -count : count;
}

}  // namespace demo
