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
    {card::kSle4406, "4406", 1024, 2, menu::kMain},
    {card::kSle4418, "4418", 1024, 4, menu::kMain},
    {card::kSle4428, "4428", 1024, 4, menu::kProtectedMemory},
    {card::kGemplus103, "GEMPLUS103", 256, 6, menu::kMain},
    {card::kSle4404, "4404", 52, 8, menu::kMain},
    {card::kCpu, "CPU", 0, 12, menu::kCpu},
    {card::kSam, "SAM CARD", 0, 13, menu::kCpu},
    {card::kSle4432, "4432", 256, 16, menu::kMain},
    {card::kSle4442, "4442", 256, 16, menu::kProtectedMemory},
    {card::kAt88sc101, "101", 128, 32, menu::kMain},
    {card::kAt88sc102, "102", 178, 32, menu::kAt88sc102},
    {card::kAt88sc103, "103", 250, 32, menu::kMain},
    {card::k24C01A, "24C01A", 128, 64, menu::kSerialMemory},
    {card::k24C02, "24C02", 256, 64, menu::kSerialMemory},
    {card::k24C04, "24C04", 512, 64, menu::kSerialMemory},
    {card::k24C08, "24C08", 1024, 64, menu::kSerialMemory},
    {card::k24C16, "24C16", 2048, 64, menu::kSerialMemory},
    {card::kAt88sc1604A, "1604A", 2007, 160, menu::kAt88sc1604},
    {card::k45D041, "45D041", 264, 65, menu::kSerialMemory},
    {card::kAt88sc1604B, "1604B", 2040, 160, menu::kAt88sc1604},
    {card::kSsf1101, "SSF1101", 1024, 66, menu::kSerialMemory},
    {card::k24C64, "24C64", 8192, 192, menu::kSerialMemory},
    {card::kAt88sc1608, "1608", 256, 208, menu::kAt88sc1608},
    {card::kAt88sc153, "153", 256, 209, menu::kMain},
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
        if (cpu_protocol == 0) return "CPU T=0";
        if (cpu_protocol == 1) return "CPU T=1";
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
