#include "platform/Event.h"

#include <algorithm>

namespace zembrio {

namespace {
// One mutex for every event: a waiter attaches to its events and detaches under it, so a signal that
// notifies a waiter can never outlive the waiter's condition variable.
std::mutex gEventsMutex;
} // namespace

tEvent::tEvent(tReset reset, bool signalled) : m_reset(reset), m_signalled(signalled) {}

void tEvent::signal()
{
    std::lock_guard lock(gEventsMutex);
    m_signalled = true;
    for (tWaiter* w : m_waiters)
        w->wake.notify_all();
}

void tEvent::reset()
{
    std::lock_guard lock(gEventsMutex);
    m_signalled = false;
}

bool tEvent::isSignalled() const
{
    std::lock_guard lock(gEventsMutex);
    return m_signalled;
}

// Called with gEventsMutex held.
bool tEvent::take()
{
    if (!m_signalled)
        return false;
    if (m_reset == tReset::automatic)
        m_signalled = false;
    return true;
}

void tEvent::attach(tWaiter* waiter)
{
    m_waiters.push_back(waiter);
}

void tEvent::detach(tWaiter* waiter)
{
    m_waiters.erase(std::remove(m_waiters.begin(), m_waiters.end(), waiter), m_waiters.end());
}

bool tEvent::wait(std::chrono::milliseconds timeout)
{
    return waitAny(*this, *this, timeout) != tWaitResult::timeout;
}

tEvent::tWaitResult tEvent::waitAny(tEvent& first, tEvent& second, std::chrono::milliseconds timeout)
{
    const bool two = &second != &first;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::unique_lock lock(gEventsMutex);
    tWaiter waiter;
    first.attach(&waiter);
    if (two)
        second.attach(&waiter);
    tWaitResult result = tWaitResult::timeout;
    for (;;) {
        if (first.take()) {
            result = tWaitResult::first;
            break;
        }
        if (two && second.take()) {
            result = tWaitResult::second;
            break;
        }
        if (timeout.count() < 0)
            waiter.wake.wait(lock);
        else if (waiter.wake.wait_until(lock, deadline) == std::cv_status::timeout)
            break;
    }
    first.detach(&waiter);
    if (two)
        second.detach(&waiter);
    return result;
}

} // namespace zembrio
