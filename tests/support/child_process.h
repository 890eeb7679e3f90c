// SPDX-License-Identifier: GPL-3.0-or-later
// A program started by a test with its standard output on a pipe: lines are
// read as they come, with a deadline, and the program can be killed and its
// end collected.
#pragma once

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace veltrasko::test {

class ChildProcess {
 public:
  // Starts the program with the test's environment; false if it cannot be.
  bool Start(const std::vector<std::string>& arguments) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);

    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const int spawned = ::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    output_ = pipeEnds[0];
    if (spawned != 0) pid_ = -1;
    return spawned == 0;
  }

  ~ChildProcess() {
    if (pid_ > 0) {
      Kill();
      Wait();
    }
    if (output_ >= 0) ::close(output_);
  }

  // The next whole line without its newline; nothing at the end of the
  // output or when the deadline passes first.
  std::optional<std::string> ReadLine(std::chrono::steady_clock::time_point deadline) {
    for (;;) {
      if (const std::size_t end = pending_.find('\n'); end != std::string::npos) {
        std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        return line;
      }
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return std::nullopt;
      pollfd ready{output_, POLLIN, 0};
      if (::poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
      char bytes[4096];
      const ssize_t count = ::read(output_, bytes, sizeof bytes);
      if (count <= 0) return std::nullopt;
      pending_.append(bytes, static_cast<std::size_t>(count));
    }
  }

  void Kill() const { ::kill(pid_, SIGKILL); }

  // Collects the program's end: its wait status.
  int Wait() {
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    return status;
  }

 private:
  pid_t pid_ = -1;
  int output_ = -1;
  std::string pending_;
};

}  // namespace veltrasko::test
