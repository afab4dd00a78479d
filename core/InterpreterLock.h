// The global interpreter lock as the language core sees it. The process machinery installs the real
// operations; until then a single Logo thread runs and releasing the lock is a no-op.
#pragma once

namespace zembrio {

struct tProcessState;

struct tInterpreterLockOperations {
    void (*release)(tProcessState& ps) = nullptr; // let other processes run, remembering our depth
    void (*reacquire)(tProcessState& ps) = nullptr;
};

void setInterpreterLockOperations(const tInterpreterLockOperations& operations);

// Holds the lock released for a blocking wait and takes it back on every way out.
class tLockReleased {
public:
    explicit tLockReleased(tProcessState& ps);
    ~tLockReleased();
    tLockReleased(const tLockReleased&) = delete;
    tLockReleased& operator=(const tLockReleased&) = delete;

private:
    tProcessState& m_ps;
};

} // namespace zembrio
