// SPDX-License-Identifier: MIT
#include "tests/kernel/child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <utility>

extern char** environ;

namespace kernel_test {

ChildProcess::ChildProcess(const std::vector<std::string>& argv) {
    int in[2];
    int out[2];
    if (::pipe2(in, O_CLOEXEC) != 0) return;
    if (::pipe2(out, O_CLOEXEC) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    if (posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    to_child_ = in[1];
    from_child_ = ::fdopen(out[0], "r");
}

ChildProcess::~ChildProcess() {
    Wait();
    if (from_child_) std::fclose(from_child_);
}

bool ChildProcess::WriteLine(const std::string& line) {
    const std::string text = line + "\n";
    return to_child_ >= 0 &&
           ::write(to_child_, text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

std::optional<std::string> ChildProcess::ReadLine() {
    if (!from_child_) return std::nullopt;
    std::string line;
    for (int c = std::fgetc(from_child_); c != '\n'; c = std::fgetc(from_child_)) {
        if (c == EOF) return std::nullopt;
        line.push_back(static_cast<char>(c));
    }
    return line;
}

int ChildProcess::Wait() {
    if (to_child_ >= 0) ::close(std::exchange(to_child_, -1));
    if (pid_ <= 0) return -1;
    int status = 0;
    const bool exited = ::waitpid(std::exchange(pid_, -1), &status, 0) > 0 && WIFEXITED(status);
    return exited ? WEXITSTATUS(status) : -1;
}

}  // namespace kernel_test
