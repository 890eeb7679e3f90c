// SPDX-License-Identifier: GPL-3.0-or-later
// Waiting in a Qt test: the main thread's events keep running (the box
// reader's hand-over, timers, dialogs) until a condition holds, with a
// deadline so that a condition that never comes fails instead of hanging;
// or the main thread waits deaf to its events.
#pragma once

#include <chrono>
#include <functional>

namespace veltrasko::test {

inline constexpr std::chrono::milliseconds DefaultWaitLimit{10000};

// True once the condition holds; false when the limit passed first. The
// condition is looked at every few milliseconds, since what other threads
// and programs change sends no event here.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = DefaultWaitLimit);

// The same with this thread's events left waiting, for a test whose main
// thread must stay deaf meanwhile (a listener that must not answer, a reader
// that must not be served).
bool WaitWithoutEventsUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = DefaultWaitLimit);

}  // namespace veltrasko::test
