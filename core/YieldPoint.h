// The yield point at the start of every instruction-list run: where other processes get the interpreter
// lock and where a stop request takes effect. Alone, it costs two atomic loads.
#pragma once

#include "core/LogoException.h"
#include "core/ProcessState.h"

#include <atomic>

namespace zembrio {

// Installed by the process machinery: hands the lock over when another process waits for it.
using tYieldHandler = void (*)(tProcessState& ps);
void setYieldHandler(tYieldHandler handler);
extern std::atomic<bool> gLockWanted; // some process waits for the interpreter lock
void runYieldHandler(tProcessState& ps);

inline void yieldPoint(tProcessState& ps)
{
    if (gLockWanted.load(std::memory_order_relaxed)) [[unlikely]]
        runYieldHandler(ps);
    if (ps.stopRequested.load(std::memory_order_relaxed)) [[unlikely]]
        throw eTerminateException(0);
}

} // namespace zembrio
