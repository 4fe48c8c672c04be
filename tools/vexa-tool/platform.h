// SPDX-License-Identifier: MIT
// What the tool does differently on Linux and on Windows.
#pragma once

#include <string>

namespace tool {

void SetEnvironment(const char* name, const std::string& value);

// The library's message texts are GBK; terminals want UTF-8.
std::string GbkToUtf8(const std::string& gbk);

}  // namespace tool
