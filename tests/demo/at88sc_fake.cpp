// SPDX-License-Identifier: MIT
#include "tests/demo/at88sc_fake.h"

namespace demo_test {

At88scFake* At88scFake::active = nullptr;

namespace {

At88scFake& Fake() {
    return *At88scFake::active;
}

int16_t Count(int index) {
    Fake().counted.push_back(index);
    return static_cast<int16_t>(Fake().attempts);
}

// Reads as many bytes as the chip's password has.
int16_t Check(int index, const unsigned char* password, int size) {
    Fake().presented.emplace_back(password, password + size);
    return Fake().presented.back() == Fake().passwords[index] ? 0 : 1;
}

int16_t Change(int index, const unsigned char* password, int size) {
    Fake().presented.emplace_back(password, password + size);
    if (Fake().change_status == 0) Fake().passwords[index] = Fake().presented.back();
    return static_cast<int16_t>(Fake().change_status);
}

int KeySize(int area) {
    return area == 1 ? 6 : 4;
}

int16_t Fuse(int32_t) {
    return static_cast<int16_t>(Fake().fuse_status);
}

}  // namespace

At88scFake::At88scFake() {
    demo::LibraryImports& lib = demo::Lib();
    saved_ = lib;
    active = this;
    lib.IC_ReadCount_102 = [](int32_t) { return Count(0); };
    lib.IC_CheckPass_102 = [](int32_t, const unsigned char* p) { return Check(0, p, 2); };
    lib.IC_ChangePass_102 = [](int32_t, const unsigned char* p) { return Change(0, p, 2); };
    lib.IC_CheckAZPass_102 = [](int32_t, int32_t area, const unsigned char* p) {
        return Check(area, p, KeySize(area));
    };
    lib.IC_ChangeAZPass_102 = [](int32_t, int32_t area, const unsigned char* p) {
        return Change(area, p, KeySize(area));
    };
    lib.IC_Erase_102 = [](int32_t, int32_t offset, int32_t length) {
        Fake().erased.emplace_back(offset, length);
        return static_cast<int16_t>(Fake().erase_status);
    };
    lib.IC_ReadCount_1604 =
        lib.IC_ReadCount_1604B = [](int32_t, int32_t index) { return Count(index); };
    lib.IC_CheckPass_1604 = lib.IC_CheckPass_1604B =
        [](int32_t, int32_t i, const unsigned char* p) { return Check(i, p, 2); };
    lib.IC_ChangePass_1604 = lib.IC_ChangePass_1604B =
        [](int32_t, int32_t i, const unsigned char* p) { return Change(i, p, 2); };
    lib.IC_Fuse_102 = lib.IC_Fuse_1604 = lib.IC_Fuse_1604B = Fuse;
    lib.IC_ReadFuse = [](int32_t) { return static_cast<int16_t>(Fake().fuse_state); };
    lib.IC_WriteFuse = [](int32_t, int32_t) {
        if (Fake().write_fuse_status == 0) {
            ++Fake().blows;
            Fake().fuse_state = Fake().fuse_state == 7 ? 6 : Fake().fuse_state == 6 ? 1 : 0;
        }
        return static_cast<int16_t>(Fake().write_fuse_status);
    };
}

At88scFake::~At88scFake() {
    demo::Lib() = saved_;
    active = nullptr;
}

}  // namespace demo_test
