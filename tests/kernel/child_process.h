// SPDX-License-Identifier: MIT
// A program started with its standard input and output on pipes to us, for
// talking to it line by line. Its standard error is ours.
#pragma once

#include <sys/types.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace kernel_test {

class ChildProcess {
  public:
    explicit ChildProcess(const std::vector<std::string>& argv);
    // Ends its input and waits for it.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    bool WriteLine(const std::string& line);
    // The next line it writes, without the newline; nothing once it has ended.
    std::optional<std::string> ReadLine();
    // Ends its input and returns its exit status (-1 if it did not exit).
    int Wait();

  private:
    pid_t pid_ = -1;
    int to_child_ = -1;
    std::FILE* from_child_ = nullptr;
};

}  // namespace kernel_test
