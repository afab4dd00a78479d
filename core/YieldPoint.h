// The yield point at the start of every instruction-list run: where other processes get the interpreter
// lock and where a stop request takes effect. Alone, it costs two atomic loads.
#pragma once

#include "core/LogoException.h"
#include "core/ProcessState.h"

#include <atomic>

namespace zembrio {

// Installed by the process machinery: hands the lock over when another process waits for it, waits
// while the process is paused, and raises a stop request.
using tYieldHandler = void (*)(tProcessState& ps);
void setYieldHandler(tYieldHandler handler);
// Threads waiting for the interpreter lock; kept by the lock, read here.
extern std::atomic<int32_t> gLockWaiters;
// Without a handler only a stop request matters.
void runYieldHandler(tProcessState& ps);

inline void yieldPoint(tProcessState& ps)
{
    if ((gLockWaiters.load(std::memory_order_relaxed) | ps.attention.load(std::memory_order_relaxed)) != 0)
        [[unlikely]] runYieldHandler(ps);
}

} // namespace zembrio
