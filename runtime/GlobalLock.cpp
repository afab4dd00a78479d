#include "runtime/GlobalLock.h"

#include "core/InterpreterLock.h"
#include "core/LogoException.h"
#include "core/ProcessState.h"
#include "core/YieldPoint.h"
#include "runtime/LogoProcess.h"

namespace zembrio {

void tGlobalLock::enter()
{
    std::unique_lock lock(m_mutex);
    const uint64_t ticket = m_nextTicket++;
    if (ticket == m_serving)
        return; // free and nobody before us: the cheap case
    gLockWaiters.fetch_add(1, std::memory_order_relaxed);
    m_turn.wait(lock, [&] { return m_serving == ticket; });
    gLockWaiters.fetch_sub(1, std::memory_order_relaxed);
}

void tGlobalLock::yield()
{
    std::unique_lock lock(m_mutex);
    const uint64_t ticket = m_nextTicket++;
    ++m_serving;
    m_turn.notify_all();
    if (ticket == m_serving)
        return; // nobody was waiting after all
    gLockWaiters.fetch_add(1, std::memory_order_relaxed);
    m_turn.wait(lock, [&] { return m_serving == ticket; });
    gLockWaiters.fetch_sub(1, std::memory_order_relaxed);
}

void tGlobalLock::leave()
{
    {
        std::lock_guard lock(m_mutex);
        ++m_serving;
    }
    m_turn.notify_all();
}

tGlobalLock& globalLock()
{
    static tGlobalLock lock;
    return lock;
}

void releaseLock(tProcessState& ps, bool waitWhilePaused)
{
    if (ps.lockDepth == 0)
        globalLock().leave();
    --ps.lockDepth;
    if (waitWhilePaused && ps.process)
        ps.process->pauseEvent.wait();
}

void reacquireLock(tProcessState& ps, bool raiseStop)
{
    if (++ps.lockDepth == 0)
        globalLock().enter();
    if (raiseStop && ps.stopRequested())
        throw eTerminateException(0);
}

namespace {

// Others wait, the process is paused or asked to stop: let the longest waiter in, and come back.
void yieldToOthers(tProcessState& ps)
{
    if (ps.attention.load(std::memory_order_relaxed) & kAttentionPause) {
        releaseLock(ps, true);
        reacquireLock(ps, true);
        return;
    }
    if (ps.lockDepth == 0)
        globalLock().yield();
    if (ps.stopRequested())
        throw eTerminateException(0);
}

void releaseForBlockingWait(tProcessState& ps)
{
    releaseLock(ps, false);
}

void reacquireAfterBlockingWait(tProcessState& ps)
{
    reacquireLock(ps, false);
}

} // namespace

void installGlobalLock()
{
    setYieldHandler(yieldToOthers);
    setInterpreterLockOperations({releaseForBlockingWait, reacquireAfterBlockingWait});
}

} // namespace zembrio
