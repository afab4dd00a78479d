#include "core/YieldPoint.h"

namespace zembrio {

std::atomic<bool> gLockWanted{false};

namespace {
std::atomic<tYieldHandler> gYieldHandler{nullptr};
} // namespace

void setYieldHandler(tYieldHandler handler)
{
    gYieldHandler.store(handler);
}

void runYieldHandler(tProcessState& ps)
{
    if (tYieldHandler h = gYieldHandler.load())
        h(ps);
}

} // namespace zembrio
