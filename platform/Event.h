// Events as the process machinery uses them: signalled or not, reset by hand or by the wait that takes
// them, and waits on one or two of them with a time-out that say which one ended the wait.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace zembrio {

class tEvent {
public:
    enum class tReset { manual, automatic };

    explicit tEvent(tReset reset = tReset::manual, bool signalled = false);
    tEvent(const tEvent&) = delete;
    tEvent& operator=(const tEvent&) = delete;

    void signal();
    void reset();
    bool isSignalled() const;

    // Waits until signalled; false when the time-out passed first (negative: no time-out).
    bool wait(std::chrono::milliseconds timeout = std::chrono::milliseconds(-1));

    // Which event ended a wait on two.
    enum class tWaitResult { first, second, timeout };
    static tWaitResult waitAny(tEvent& first, tEvent& second,
                               std::chrono::milliseconds timeout = std::chrono::milliseconds(-1));

private:
    struct tWaiter {
        std::condition_variable wake;
    };
    // Takes the signal when it is there (an automatic event is reset by the wait that takes it).
    bool take();
    void attach(tWaiter* waiter);
    void detach(tWaiter* waiter);

    // Guarded by the one mutex all events share.
    const tReset m_reset;
    bool m_signalled;
    std::vector<tWaiter*> m_waiters;
};

} // namespace zembrio
