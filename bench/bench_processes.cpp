// The interpreter lock's costs: a yield point when nobody waits, and a hand-over between two threads.
#include "core/ProcessState.h"
#include "core/YieldPoint.h"
#include "runtime/GlobalLock.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <thread>

using namespace zembrio;

namespace {

void BM_YieldPointAlone(benchmark::State& state)
{
    installGlobalLock();
    tProcessState ps;
    globalLock().enter();
    for (auto _ : state)
        yieldPoint(ps);
    globalLock().leave();
}
BENCHMARK(BM_YieldPointAlone);

// Two threads that each yield at every step: every step is one hand-over to the other thread.
void BM_HandOver(benchmark::State& state)
{
    installGlobalLock();
    std::atomic<bool> running{true};
    std::thread other([&] {
        tProcessState ps;
        globalLock().enter();
        while (running.load(std::memory_order_relaxed))
            yieldPoint(ps);
        globalLock().leave();
    });
    tProcessState ps;
    globalLock().enter();
    for (auto _ : state)
        yieldPoint(ps);
    running.store(false);
    globalLock().leave();
    other.join();
}
BENCHMARK(BM_HandOver)->UseRealTime();

} // namespace
