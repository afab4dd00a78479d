// The evaluator's hot paths: calls of a small user procedure, and instruction-list runs.
#include "tests/support/LogoTestWorld.h"

#include <benchmark/benchmark.h>

using namespace zembrio;
using namespace zembrio::testing;

namespace {

void BM_UserProcedureCalls(benchmark::State& state)
{
    tLogoTestWorld w;
    w.define("to inc :x\noutput :x + 1\nend");
    for (auto _ : state) {
        const tOutcome o = w.run("repeat 10000 [make \"y inc 1]");
        if (o.error)
            state.SkipWithError("the loop failed");
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_UserProcedureCalls)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EmptyListRuns(benchmark::State& state)
{
    tLogoTestWorld w;
    for (auto _ : state)
        w.run("repeat 100000 []");
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_EmptyListRuns)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TailCalls(benchmark::State& state)
{
    tLogoTestWorld w;
    w.define("to countdown :n\nif :n = 0 [stop]\ncountdown :n - 1\nend");
    for (auto _ : state)
        w.run("countdown 10000");
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_TailCalls)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
