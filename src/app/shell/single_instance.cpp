// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/single_instance.h"

namespace veltrasko {

InstanceLock::InstanceLock(const QString& lockPath) : lock_(lockPath) {
  // Only a dead owner makes the lock stale, never its age: the running
  // instance holds it for as long as it runs, days if need be.
  lock_.setStaleLockTime(0);
}

// Without a private folder there is no lock to take: every start runs on its own.
bool InstanceLock::TryTake() { return !lock_.fileName().isEmpty() && lock_.tryLock(0); }

}  // namespace veltrasko
