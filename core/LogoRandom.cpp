#include "core/LogoRandom.h"

#include <mutex>
#include <random>

namespace zembrio {

namespace {
// Guarded by its own mutex: threads that are not Logo processes may draw too.
std::mutex gRandomMutex;
std::mt19937_64 gRandom{std::random_device{}()};
} // namespace

double randomUnit()
{
    std::lock_guard lock(gRandomMutex);
    return std::uniform_real_distribution<double>(0.0, 1.0)(gRandom);
}

int32_t randomRange(int32_t min, int32_t max)
{
    if (max <= min)
        return min;
    std::lock_guard lock(gRandomMutex);
    return std::uniform_int_distribution<int32_t>(min, max)(gRandom);
}

void randomSeed(uint64_t seed)
{
    std::lock_guard lock(gRandomMutex);
    gRandom.seed(seed);
}

} // namespace zembrio
