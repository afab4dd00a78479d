// Value factory and release throughput, pooled against freshly allocated.
#include "core/LogoValues.h"
#include "core/ValuePools.h"

#include <benchmark/benchmark.h>

using namespace zembrio;

namespace {

// Pools serve only Logo process threads; the argument decides which kind of thread this one is.
void setUpPools(benchmark::State& state)
{
    setLogoProcessThread(state.range(0) != 0);
    fillValuePools();
}

void BM_MakeReleaseInt(benchmark::State& state)
{
    setUpPools(state);
    int32_t i = 0;
    for (auto _ : state) {
        tlogoobject* v = makeInt(++i);
        addRef(v);
        benchmark::DoNotOptimize(v);
        release(v);
    }
    state.SetItemsProcessed(state.iterations());
    setLogoProcessThread(false);
}
BENCHMARK(BM_MakeReleaseInt)->Arg(0)->Arg(1)->ArgName("pooled");

void BM_MakeReleaseReal(benchmark::State& state)
{
    setUpPools(state);
    long double x = 0;
    for (auto _ : state) {
        tlogoobject* v = makeReal(x += 0.5L);
        addRef(v);
        benchmark::DoNotOptimize(v);
        release(v);
    }
    state.SetItemsProcessed(state.iterations());
    setLogoProcessThread(false);
}
BENCHMARK(BM_MakeReleaseReal)->Arg(0)->Arg(1)->ArgName("pooled");

void BM_MakeReleaseWord(benchmark::State& state)
{
    setUpPools(state);
    for (auto _ : state) {
        tlogoobject* v = makeWord("forward");
        addRef(v);
        benchmark::DoNotOptimize(v);
        release(v);
    }
    state.SetItemsProcessed(state.iterations());
    setLogoProcessThread(false);
}
BENCHMARK(BM_MakeReleaseWord)->Arg(0)->Arg(1)->ArgName("pooled");

// Building and freeing a 1000-item list: cells come from the cell pool when pooled.
void BM_BuildFreeList(benchmark::State& state)
{
    setUpPools(state);
    for (auto _ : state) {
        tListBuilder b;
        for (int i = 0; i < 1000; ++i)
            b.append(makeInt(i));
        tRef<tLogoList> list = b.take();
        benchmark::DoNotOptimize(list.get());
    }
    state.SetItemsProcessed(state.iterations() * 1000);
    setLogoProcessThread(false);
}
BENCHMARK(BM_BuildFreeList)->Arg(0)->Arg(1)->ArgName("pooled");

} // namespace
