#include "core/InterpreterLock.h"

namespace zembrio {

namespace {
tInterpreterLockOperations gOperations;
} // namespace

void setInterpreterLockOperations(const tInterpreterLockOperations& operations)
{
    gOperations = operations;
}

tLockReleased::tLockReleased(tProcessState& ps) : m_ps(ps)
{
    if (gOperations.release)
        gOperations.release(ps);
}

tLockReleased::~tLockReleased()
{
    if (gOperations.reacquire)
        gOperations.reacquire(m_ps);
}

} // namespace zembrio
