// SPDX-License-Identifier: GPL-3.0-or-later
// An attempt made in a forked child, its answer coming back through the exit
// code: the child may give up root's rights or be cut off after a time
// limit, and a crash or a hang is never taken for a refusal.
#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace veltrasko::test {

inline constexpr uid_t NobodyId = 65534;

enum class ChildOutcome { Succeeded, Failed, CannotDropRights, Crashed };

// Runs `attempt` in a forked child after `prepare`; a child still running
// after `timeLimitSeconds` (0: no limit) is ended and counts as crashed.
inline ChildOutcome InChild(const std::function<bool()>& prepare, const std::function<bool()>& attempt,
                            unsigned timeLimitSeconds = 0) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::alarm(timeLimitSeconds);
    if (!prepare()) ::_exit(2);
    ::_exit(attempt() ? 0 : 1);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return ChildOutcome::Crashed;
  switch (WEXITSTATUS(status)) {
    case 0: return ChildOutcome::Succeeded;
    case 1: return ChildOutcome::Failed;
    case 2: return ChildOutcome::CannotDropRights;
    default: return ChildOutcome::Crashed;
  }
}

// As root the child first becomes the user nobody, since root passes every
// folder right; otherwise the caller's own rights hold.
inline ChildOutcome InChildWithoutRoot(const std::function<bool()>& attempt) {
  const auto dropRoot = [] {
    return ::geteuid() != 0 || (::setgroups(0, nullptr) == 0 && ::setgid(NobodyId) == 0 && ::setuid(NobodyId) == 0);
  };
  return InChild(dropRoot, attempt);
}

// The attempt under the caller's rights, ended when it takes longer than the limit.
inline ChildOutcome InChildWithin(unsigned timeLimitSeconds, const std::function<bool()>& attempt) {
  return InChild([] { return true; }, attempt, timeLimitSeconds);
}

}  // namespace veltrasko::test
