// SPDX-License-Identifier: MIT
// Stands in for the AT88SC password and fuse entry points, which our library
// answers with -21, so that the commands' paths past the card can run. It
// replaces them in the imports table for its lifetime; a LibraryLog made
// after it still logs the calls.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "demo/port/library_imports.h"

namespace demo_test {

class At88scFake {
  public:
    At88scFake();
    ~At88scFake();
    At88scFake(const At88scFake&) = delete;
    At88scFake& operator=(const At88scFake&) = delete;

    // Answers: every counter call, the stored passwords by index (AT88SC102:
    // 0 user, 1 and 2 the erase keys; AT88SC1604: 0, 1 to 4, 11 to 14).
    int attempts = 3;
    std::map<int, std::vector<std::uint8_t>> passwords;
    int change_status = 0;
    int erase_status = 0;
    int fuse_status = 0;        // IC_Fuse_102, _1604, _1604B
    int fuse_state = 7;         // IC_ReadFuse; each blow moves it on: 7, 6, 1, 0
    int write_fuse_status = 0;  // IC_WriteFuse

    // What the program asked for.
    std::vector<int> counted;  // index of each counter call
    std::vector<std::vector<std::uint8_t>> presented;
    std::vector<std::pair<int, int>> erased;  // offset, length
    int blows = 0;

    static At88scFake* active;

  private:
    demo::LibraryImports saved_;
};

}  // namespace demo_test
