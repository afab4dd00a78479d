#include "platform/Event.h"

#include <algorithm>

namespace zembrio {

tEvent::tEvent(tReset reset, bool signalled) : m_reset(reset), m_signalled(signalled) {}

void tEvent::signal()
{
    std::vector<tWaiter*> waiters;
    {
        std::lock_guard lock(m_mutex);
        m_signalled = true;
        waiters = m_waiters;
    }
    // Each waiter's own mutex is taken so that a waiter between its check and its sleep cannot miss us.
    for (tWaiter* w : waiters) {
        std::lock_guard lock(w->mutex);
        w->wake.notify_all();
    }
}

void tEvent::reset()
{
    std::lock_guard lock(m_mutex);
    m_signalled = false;
}

bool tEvent::isSignalled() const
{
    std::lock_guard lock(m_mutex);
    return m_signalled;
}

bool tEvent::take()
{
    std::lock_guard lock(m_mutex);
    if (!m_signalled)
        return false;
    if (m_reset == tReset::automatic)
        m_signalled = false;
    return true;
}

void tEvent::attach(tWaiter* waiter)
{
    std::lock_guard lock(m_mutex);
    m_waiters.push_back(waiter);
}

void tEvent::detach(tWaiter* waiter)
{
    std::lock_guard lock(m_mutex);
    m_waiters.erase(std::remove(m_waiters.begin(), m_waiters.end(), waiter), m_waiters.end());
}

bool tEvent::wait(std::chrono::milliseconds timeout)
{
    return waitAny(*this, *this, timeout) != tWaitResult::timeout;
}

tEvent::tWaitResult tEvent::waitAny(tEvent& first, tEvent& second, std::chrono::milliseconds timeout)
{
    tWaiter waiter;
    first.attach(&waiter);
    if (&second != &first)
        second.attach(&waiter);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    tWaitResult result = tWaitResult::timeout;
    {
        std::unique_lock lock(waiter.mutex);
        for (;;) {
            if (first.take()) {
                result = tWaitResult::first;
                break;
            }
            if (&second != &first && second.take()) {
                result = tWaitResult::second;
                break;
            }
            if (timeout.count() < 0) {
                waiter.wake.wait(lock);
            } else if (waiter.wake.wait_until(lock, deadline) == std::cv_status::timeout) {
                if (first.take())
                    result = tWaitResult::first;
                else if (&second != &first && second.take())
                    result = tWaitResult::second;
                break;
            }
        }
    }
    first.detach(&waiter);
    if (&second != &first)
        second.detach(&waiter);
    return result;
}

} // namespace zembrio
