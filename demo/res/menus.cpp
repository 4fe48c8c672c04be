// SPDX-License-Identifier: MIT
#include "demo/res/menus.h"

#include <algorithm>
#include <array>

#include "demo/res/command_ids.h"

namespace demo {

namespace {

MenuItem Item(const char* text, int command) {
    return {text, command, {}};
}
MenuItem Popup(const char* text, std::vector<MenuItem> items) {
    return {text, 0, std::move(items)};
}
MenuItem Separator() {
    return {};
}

MenuItem SelectCardType(bool with_24c64) {
    std::vector<MenuItem> hand = {Item("24C01A", cmd::k24C01A), Item("24C02", cmd::k24C02),
                                  Item("24C04", cmd::k24C04), Item("24C08", cmd::k24C08),
                                  Item("24C16", cmd::k24C16)};
    if (with_24c64) hand.push_back(Item("24C64", cmd::k24C64));
    hand.insert(hand.end(), {Item("4442", cmd::kSle4442), Item("4428", cmd::kSle4428), Separator(),
                             Item("CPU", cmd::kCpu)});
    return Popup(
        "Select Card Type",
        {Popup("Hand Select ", std::move(hand)), Item("Auto Test", cmd::kAutoTest), Separator(),
         Item("Power Down", cmd::kPowerDown), Item("Device Control", cmd::kDeviceControl),
         Separator(), Item("Quit application", cmd::kQuit)});
}

MenuItem SelectComm() {
    return Popup("Select Comm",
                 {Item("COM 1", cmd::kCom1), Item("COM 2", cmd::kCom2), Item("COM 3", cmd::kCom3),
                  Item("COM 4", cmd::kCom4), Separator(), Item("USB", cmd::kUsb)});
}

MenuItem About(bool about_first) {
    MenuItem version = Item("Version", cmd::kVersion);
    MenuItem about = Item("About...", cmd::kAbout);
    if (about_first) return Popup("About", {about, version});
    return Popup("About", {version, about});
}

std::vector<MenuItem> ReadWrite() {
    return {Item("Read Card", cmd::kReadCard), Item("Write Card", cmd::kWriteCard)};
}

std::vector<MenuItem> At88sc102Items() {
    return {Popup("Check Pass", {Item("Check User Pass", cmd::kCheckPass), Separator(),
                                 Item("Check Area One Earse Pass", cmd::kCheckEraseArea1),
                                 Item("Check Area Two Earse Pass", cmd::kCheckEraseArea2)}),
            Popup("Change Pass", {Item("Change User Pass", cmd::kChangePass), Separator(),
                                  Item("Change Area One Earse Pass", cmd::kChangeEraseArea1),
                                  Item("Change Area Two Earse Pass", cmd::kChangeEraseArea2)}),
            Item("Fuse", cmd::kFuse)};
}

// "<verb> Area 1<suffix>" to "<verb> Area 4<suffix>".
void AddAreaItems(std::vector<MenuItem>& items, const std::string& verb, const char* suffix,
                  std::array<int, 4> commands) {
    for (int n = 1; n <= 4; ++n) {
        items.push_back({verb + " Area " + std::to_string(n) + suffix, commands[n - 1], {}});
    }
}

std::vector<MenuItem> At88sc1604Items() {
    std::vector<MenuItem> check = {Item("Check User Pass", cmd::kCheckPass), Separator()};
    AddAreaItems(check, "Check", " Pass",
                 {cmd::kCheckArea1, cmd::kCheckArea2, cmd::kCheckArea3, cmd::kCheckArea4});
    check.push_back(Separator());
    AddAreaItems(check, "Check", " Earse Pass",
                 {cmd::kCheckEraseArea1, cmd::kCheckEraseArea2, cmd::kCheckEraseArea3,
                  cmd::kCheckEraseArea4});
    std::vector<MenuItem> change = {Item("Change User Pass", cmd::kChangePass), Separator()};
    AddAreaItems(change, "Change", " Pass",
                 {cmd::kChangeArea1, cmd::kChangeArea2, cmd::kChangeArea3, cmd::kChangeArea4});
    change.push_back(Separator());
    AddAreaItems(change, "Change", " Earse Pass",
                 {cmd::kChangeEraseArea1, cmd::kChangeEraseArea2, cmd::kChangeEraseArea3,
                  cmd::kChangeEraseArea4});
    return {Popup("Check Pass", std::move(check)), Popup("Change Pass", std::move(change)),
            Item("Fuse", cmd::kFuse)};
}

std::vector<MenuItem> At88sc1608Items() {
    return {Popup("Fuse", {Item("Fuse State", cmd::kFuseState), Item("Card Fuse", cmd::kCardFuse)}),
            Popup("Check Pass", {Item("Check Read Pass", cmd::kCheckReadPass),
                                 Item("Check Write Pass", cmd::kCheckWritePass), Separator(),
                                 Item("Check Safety Pass", cmd::kCheckSafetyPass)}),
            Popup("Change Pass", {Item("Change Read Pass", cmd::kChangeReadPass),
                                  Item("Change Write Pass", cmd::kChangeWritePass), Separator(),
                                  Item("Change Safety Pass", cmd::kChangeSafetyPass)}),
            Item("Auth", cmd::kAuth)};
}

// The items between "Select Comm" and "About".
std::vector<MenuItem> FamilyItems(int id) {
    std::vector<MenuItem> items;
    switch (id) {
        case menu::kCpu:
            return {Item("CPU Card", cmd::kCpuCard)};
        case menu::kSerialMemory:
            return ReadWrite();
        case menu::kProtectedMemory:
            items = ReadWrite();
            items.push_back(Popup("Check Pass", {Item("Check Pass", cmd::kCheckPass)}));
            items.push_back(Popup("Change Pass", {Item("Change Pass", cmd::kChangePass)}));
            return items;
        case menu::kAt88sc102:
            items = At88sc102Items();
            break;
        case menu::kAt88sc1604:
            items = At88sc1604Items();
            break;
        case menu::kAt88sc1608:
            items = At88sc1608Items();
            break;
        default:
            return {};
    }
    std::vector<MenuItem> all = ReadWrite();
    all.insert(all.end(), items.begin(), items.end());
    return all;
}

}  // namespace

MenuBar LoadMenuBar(int id) {
    MenuBar bar = {SelectCardType(id != menu::kAt88sc1608), SelectComm()};
    std::vector<MenuItem> family = FamilyItems(id);
    bar.insert(bar.end(), family.begin(), family.end());
    bar.push_back(About(id == menu::kProtectedMemory));
    return bar;
}

MenuItem* FindPopup(MenuBar& bar, std::string_view popup) {
    auto it = std::find_if(bar.begin(), bar.end(),
                           [&](const MenuItem& m) { return m.IsPopup() && m.text == popup; });
    return it == bar.end() ? nullptr : &*it;
}

bool RemoveItem(MenuBar& bar, std::string_view popup, std::string_view item) {
    MenuItem* menu = FindPopup(bar, popup);
    if (!menu) return false;
    auto it = std::find_if(menu->items.begin(), menu->items.end(),
                           [&](const MenuItem& m) { return m.text == item; });
    if (it == menu->items.end()) return false;
    menu->items.erase(it);
    return true;
}

}  // namespace demo
