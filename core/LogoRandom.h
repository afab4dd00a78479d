// The runtime's random numbers (any-words, probabilistic booleans, the random primitives).
#pragma once

#include <cstdint>

namespace zembrio {

// Uniform in [0, 1).
double randomUnit();
// Uniform integer in [min, max]; min when max < min.
int32_t randomRange(int32_t min, int32_t max);
void randomSeed(uint64_t seed);

} // namespace zembrio
