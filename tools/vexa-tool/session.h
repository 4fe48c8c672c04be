// SPDX-License-Identifier: MIT
// What one run of the tool keeps between its commands.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tool {

struct Session {
    bool open = false;  // the reader is opened for the first command that needs it
    std::int32_t icdev = 0;
    int card_type = -1;  // as last given to `type` in this run
};

using Args = std::vector<std::string>;

// Each command returns the library status it ended with (0 = success).
struct Command {
    const char* name;
    int arg_count;
    const char* usage;
    const char* help;
    int (*run)(Session&, const Args&);
    bool needs_reader = true;  // false: runs without opening one
};

const std::vector<Command>& Commands();

// Card family names accepted by `type`, with their card-type codes.
int CardTypeCode(const std::string& name);

}  // namespace tool
