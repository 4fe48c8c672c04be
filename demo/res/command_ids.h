// SPDX-License-Identifier: MIT
// Command identifiers of the program's menus, accelerators and posted
// commands.
#pragma once

namespace demo::cmd {

// Hand selection of a card type.
constexpr int k24C01A = 32771;
constexpr int k24C02 = 32772;
constexpr int k24C04 = 32773;
constexpr int k24C16 = 32774;
constexpr int kAt88sc102 = 32775;
constexpr int k24C08 = 32805;
constexpr int k24C64 = 32806;
constexpr int kSle4442 = 32791;
constexpr int kSle4428 = 32796;
constexpr int kAt88sc1604A = 32789;
constexpr int k45D041 = 32812;
constexpr int kAt88sc1604B = 32813;
constexpr int kAt88sc1608 = 32830;
constexpr int kSsf1101 = 32843;
constexpr int kCpu = 32828;
constexpr int kSam = 32829;
constexpr int kSam14 = 32844;
constexpr int kSam15 = 32845;

// Card commands.
constexpr int kAutoTest = 32790;
constexpr int kReadCard = 32778;
constexpr int kWriteCard = 32779;
constexpr int kPowerDown = 32807;
constexpr int kEject = 32792;
constexpr int kCpuCard = 32815;
constexpr int kDeviceControl = 32841;

// Passwords.
constexpr int kCheckPass = 32800;
constexpr int kChangePass = 32797;
constexpr int kCheckEraseArea1 = 32781;
constexpr int kCheckEraseArea2 = 32788;
constexpr int kCheckEraseArea3 = 32798;
constexpr int kCheckEraseArea4 = 32799;
constexpr int kCheckArea1 = 32801;
constexpr int kCheckArea2 = 32802;
constexpr int kCheckArea3 = 32803;
constexpr int kCheckArea4 = 32804;
constexpr int kChangeArea1 = 32820;
constexpr int kChangeArea2 = 32821;
constexpr int kChangeArea3 = 32822;
constexpr int kChangeArea4 = 32823;
constexpr int kChangeEraseArea1 = 32824;
constexpr int kChangeEraseArea2 = 32825;
constexpr int kChangeEraseArea3 = 32826;
constexpr int kChangeEraseArea4 = 32827;

// Fuses and secure memory.
constexpr int kFuse = 32783;
constexpr int kFuseState = 32832;
constexpr int kCardFuse = 32833;
constexpr int kCheckReadPass = 32834;
constexpr int kCheckWritePass = 32835;
constexpr int kCheckSafetyPass = 32836;
constexpr int kChangeReadPass = 32837;
constexpr int kChangeWritePass = 32838;
constexpr int kChangeSafetyPass = 32839;
constexpr int kAuth = 32840;

// Ports.
constexpr int kCom1 = 32784;
constexpr int kCom2 = 32785;
constexpr int kCom3 = 32786;
constexpr int kCom4 = 32787;
constexpr int kUsb = 32831;

// Shell.
constexpr int kVersion = 32849;
constexpr int kUpdate = 32814;
constexpr int kHelp = 32793;
constexpr int kAbout = 57664;
constexpr int kQuit = 57665;

}  // namespace demo::cmd
