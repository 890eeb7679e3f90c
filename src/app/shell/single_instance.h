// SPDX-License-Identifier: GPL-3.0-or-later
// The rule that one analyser runs per user: the first start holds a lock for
// its whole life; a later start finds it held and knows an instance runs.
#pragma once

#include <QLockFile>
#include <QString>

namespace veltrasko {

class InstanceLock {
 public:
  explicit InstanceLock(const QString& lockPath);

  // True when this process now holds the lock. A lock left behind by a
  // process that died is taken over; one held by a live process is not.
  bool TryTake();

 private:
  QLockFile lock_;
};

}  // namespace veltrasko
