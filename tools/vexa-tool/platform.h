// SPDX-License-Identifier: MIT
// What the tool does differently on Linux and on Windows.
#pragma once

#include <string>

namespace tool {

// Returns at once when this process already runs on the simulated reader;
// otherwise runs the same command line again on the simulated reader's build
// of the library and ends the process with its result.
void RunOnSimulator(char** argv);

void SetEnvironment(const char* name, const std::string& value);

// The library's message texts are GBK; terminals want UTF-8.
std::string GbkToUtf8(const std::string& gbk);

}  // namespace tool
