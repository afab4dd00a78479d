// The global interpreter lock: one process interprets at a time. Hand-over is first come, first served,
// so that two busy processes alternate instead of one starving the other; when nobody waits, a yield
// point costs two atomic loads.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace zembrio {

struct tProcessState;

class tGlobalLock {
public:
    // Takes the lock, after every thread that asked before.
    void enter();
    void leave();
    // Hands the lock to the longest waiter and queues up behind it in one step, so that no other thread
    // can slip in between while this one is still on its way back to the queue.
    void yield();
    // True while some thread waits for the lock (read without locking at yield points).
    bool wanted() const { return m_waiting.load(std::memory_order_relaxed) > 0; }

private:
    std::mutex m_mutex;
    std::condition_variable m_turn;
    uint64_t m_nextTicket = 0; // guarded by m_mutex
    uint64_t m_serving = 0;    // guarded by m_mutex: the ticket that may hold the lock
    std::atomic<int32_t> m_waiting{0};
};

tGlobalLock& globalLock();

// The lock operations of processes: a per-thread release depth makes nested blocking waits release the
// lock once. release leaves the lock at depth 0 (and waits while the process is paused, if asked);
// reacquire takes it back and, if asked, raises a pending stop request.
void releaseLock(tProcessState& ps, bool waitWhilePaused);
void reacquireLock(tProcessState& ps, bool raiseStop);

// Installs the lock into the evaluator's yield point and the blocking waits.
void installGlobalLock();

} // namespace zembrio
