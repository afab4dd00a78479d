#include "core/YieldPoint.h"

namespace zembrio {

std::atomic<int32_t> gLockWaiters{0};

namespace {
std::atomic<tYieldHandler> gYieldHandler{nullptr};
} // namespace

void setYieldHandler(tYieldHandler handler)
{
    gYieldHandler.store(handler);
}

void runYieldHandler(tProcessState& ps)
{
    if (tYieldHandler h = gYieldHandler.load()) {
        h(ps);
        return;
    }
    if (ps.stopRequested())
        throw eTerminateException(0);
}

} // namespace zembrio
