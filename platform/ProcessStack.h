// Logo processes recurse deeply (10000 nested list runs, more under the sanitizers' larger frames), so
// the threads that run Logo get a stack of their own size instead of the system default.
#pragma once

#include <cstddef>
#include <functional>

namespace zembrio {

inline constexpr size_t kProcessStackSize = size_t(256) << 20; // reserved, not committed, until used

// Runs fn on a new thread with the process stack size and waits for it; an exception from fn is
// rethrown in the caller.
void runOnProcessStack(const std::function<void()>& fn);

// Starts fn on a new joinable thread with the process stack size; fn must not throw.
using tThreadHandle = unsigned long;
tThreadHandle startProcessThread(std::function<void()> fn);
void joinThread(tThreadHandle thread);

} // namespace zembrio
