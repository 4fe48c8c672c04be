// SPDX-License-Identifier: MIT
#include "demo/view/card_layouts.h"

#include <algorithm>

#include "demo/view/card_types.h"
#include "demo/view/colors.h"

namespace demo {

namespace {

using namespace color;

CardLayout DataArea(int card_type, int last) {
    return {card_type, {{"Data Area", kWhite, 0, last}}};
}

CardLayout At88sc102() {
    return {card::kAt88sc102,
            {{"Fab Code", kMaroon, 0, 1},
             {"Fab Code", kGreen, 2, 9},
             {"Password", kYellow, 10, 11},
             {"Error Count", kRed, 12, 13},
             {"Remark", kMagenta, 14, 21},
             {"RW Attri", kRed, 22, 22},
             {"Area One", kCyan, 23, 85},
             {"Password", kYellow, 86, 91},
             {"RW Attri", kRed, 92, 92},
             {"Area Two", kCyan, 93, 155},
             {"Earse Pass", kYellow, 156, 159},
             {"Earse Count", kWhite, 160, 175},
             {"Test Area", kGreen, 176, 177}}};
}

CardLayout At88sc1604A() {
    return {card::kAt88sc1604A,
            {{"Fab Code", kMaroon, 0, 1},         {"Fab Code", kGreen, 2, 9},
             {"Password", kYellow, 10, 11},       {"Error Count", kRed, 12, 12},
             {"Remark", kMagenta, 13, 20},        {"One Pass", kYellow, 21, 22},
             {"Error Count", kRed, 23, 23},       {"Earse Pass", kBlue, 24, 25},
             {"Earse Count", kRed, 26, 26},       {"Area One", kCyan, 27, 1221},
             {"Two Pass", kYellow, 1222, 1223},   {"Earse Pass", kBlue, 1224, 1225},
             {"Earse Count", kRed, 1226, 1226},   {"Area Two", kCyan, 1227, 1482},
             {"Three Pass", kYellow, 1483, 1484}, {"Earse Pass", kBlue, 1485, 1486},
             {"Earse Count", kRed, 1487, 1487},   {"Area Three", kCyan, 1488, 1743},
             {"Four Pass", kYellow, 1744, 1745},  {"Earse Pass", kBlue, 1746, 1747},
             {"Earse Count", kRed, 1748, 1748},   {"Area Four", kCyan, 1749, 2004},
             {"Test Area", kYellow, 2005, 2006}}};
}

// The names keep the card maker's spellings ("Reamrk", "Earse").
CardLayout At88sc1604B() {
    return {card::kAt88sc1604B,
            {{"Fab Code", kMaroon, 0, 1},        {"Fab Code", kGreen, 2, 9},
             {"Password", kYellow, 10, 11},      {"Error Count", kRed, 12, 12},
             {"Reamrk", kMagenta, 13, 20},       {"One Pass", kYellow, 21, 22},
             {"Error Count", kRed, 23, 23},      {"Earse Pass", kBlue, 24, 25},
             {"Earse Count", kRed, 26, 26},      {"Area One", kCyan, 27, 538},
             {"Two Pass", kYellow, 539, 540},    {"Error Count", kRed, 541, 541},
             {"Earse Pass", kBlue, 542, 543},    {"Earse Count", kRed, 544, 544},
             {"Area Two", kCyan, 545, 1056},     {"Three Pass", kYellow, 1057, 1058},
             {"Error Count", kRed, 1059, 1059},  {"Erase Pass", kBlue, 1060, 1061},
             {"Erase Count", kRed, 1062, 1062},  {"Area Three", kCyan, 1063, 1574},
             {"Four Pass", kYellow, 1575, 1576}, {"Error Count", kRed, 1577, 1577},
             {"Earse Pass", kBlue, 1578, 1579},  {"Erase Count", kRed, 1580, 1580},
             {"Area Four", kCyan, 1581, 2037},   {"Test Area", kYellow, 2038, 2039}}};
}

CardLayout At88sc153() {
    return {card::kAt88sc153,
            {{"Area One", kWhite, 0, 63},
             {"Area Two", kWhite, 64, 127},
             {"Area Three", kWhite, 128, 191},
             {"Fab Code", kMaroon, 192, 203},
             {"Access Code", kGreen, 204, 207},
             {"Pass Check", kYellow, 208, 231},
             {"Secret Seed", kMagenta, 232, 239},
             {"Passwords", kRed, 240, 255}}};
}

CardLayout At88sc1608(int zone) {
    if (zone < kConfigZone) return DataArea(card::kAt88sc1608, 256);
    return {card::kAt88sc1608,
            {{"Fab Code", kMaroon, 0, 15},
             {"Access Code", kGreen, 16, 31},
             {"Pass Auth", kYellow, 32, 47},
             {"Secret Seed", kMagenta, 48, 55},
             {"Test Area", kWhite, 56, 63},
             {"Passwords", kRed, 64, 127}}};
}

}  // namespace

const CardArea* CardLayout::AreaOf(int offset) const {
    auto it = std::find_if(areas.begin(), areas.end(), [offset](const CardArea& a) {
        return a.first <= offset && offset <= a.last;
    });
    return it == areas.end() ? nullptr : &*it;
}

// The serial memories' single area ends one past the last byte; bytes beyond
// the capacity are never shown, so that does no harm.
LayoutTable::LayoutTable()
    : layouts_{DataArea(card::k24C01A, 128),
               DataArea(card::k24C02, 256),
               DataArea(card::k24C04, 512),
               DataArea(card::k24C08, 1024),
               DataArea(card::k24C16, 2048),
               DataArea(card::k24C64, 8192),
               DataArea(card::kSle4404, 52),
               DataArea(card::k45D041, 264),
               DataArea(card::kSsf1101, 1024),
               {card::kSle4428, {{"ProData", kRed, 0, 1023}}},
               {card::kSle4442, {{"ProData", kYellow, 0, 31}, {"Data Area", kWhite, 32, 255}}},
               At88sc153(),
               At88sc1608(0),
               At88sc102(),
               At88sc1604A(),
               At88sc1604B()} {}

void LayoutTable::BuildAt88sc1608(int zone) {
    for (CardLayout& layout : layouts_) {
        if (layout.card_type == card::kAt88sc1608) layout = At88sc1608(zone);
    }
}

const CardLayout* LayoutTable::Find(int card_type) const {
    auto it = std::find_if(layouts_.begin(), layouts_.end(),
                           [card_type](const CardLayout& l) { return l.card_type == card_type; });
    return it == layouts_.end() ? nullptr : &*it;
}

Rgb AreaColour(const CardLayout* layout, int offset) {
    const CardArea* area = layout ? layout->AreaOf(offset) : nullptr;
    return area ? area->colour : color::kWhite;
}

std::string AreaName(const CardLayout* layout, int offset) {
    const CardArea* area = layout ? layout->AreaOf(offset) : nullptr;
    return area ? area->name : "Undef Area";
}

}  // namespace demo
