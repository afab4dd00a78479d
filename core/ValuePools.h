// The value factories and their pools: arithmetic allocates a result at every step, so fresh values
// come from small pools of recycled objects while a Logo process holds the interpreter lock.
#pragma once

#include "core/LogoValues.h"

#include <string_view>

namespace zembrio {

inline constexpr int kValuePoolSize = 100;
inline constexpr int kListCellPoolSize = 10000;

// Fresh values (count 0). Pooled objects are used only by Logo process threads.
tLogoInt* makeInt(int32_t value);
tLogoReal* makeReal(long double value);
tLogoString* makeWord(std::string_view text);
tLogoBool* makeBool(bool value);

// A word that lives as long as a compiled array or a table (never from a pool).
tLogoString* makeLongLivedWord(std::string_view text);

// A copy of a pooled temporary that may be kept (variables never hold pooled objects); keeps the
// source spelling of numbers and booleans.
tlogoobject* makeKeptCopy(tlogoobject* value);
// The same for a pooled temporary handed over with its count: returns a counted value that may be kept.
tlogoobject* keepTemporary(tlogoobject* counted);
// Takes a pooled value out of its pool for good (when freed, it may join again); false if it is not pooled.
bool leavePool(tlogoobject* value);

// The reader's constructors: the number or boolean keeps the spelling it was read from.
tLogoInt* makeIntFromSource(int32_t value, std::string_view text);
tLogoReal* makeRealFromSource(long double value, std::string_view text);
tLogoBool* makeBoolFromSource(bool value, std::string_view text);

// Whether the calling thread runs Logo (and may use the pools). The process machinery sets it.
bool isLogoProcessThread();
void setLogoProcessThread(bool isProcess);

// Fills the pools; called once at start-up. Safe to call again (tops up).
void fillValuePools();

// Pool sizes, for tests and benchmarks.
struct tPoolCounts {
    int ints, reals, words, bools, cells;
};
tPoolCounts poolCounts();

// What the pools cannot see from their sizes alone, for the memory report: list cells that had to come
// from the heap (pool empty, or not a Logo thread), cells freed to the heap (pool full, or not a Logo
// thread), the cell blocks made by fillValuePools, and the pooled word objects (integers, reals, words,
// booleans) made so far.
struct tPoolTraffic {
    int64_t heapCells, freedCells, filledCells;
    int pooledWords;
};
tPoolTraffic poolTraffic();

// Pool plumbing used by the value classes.
bool returnIntToPool(tLogoInt* value);
bool returnRealToPool(tLogoReal* value);
bool returnWordToPool(tLogoString* value);
bool returnBoolToPool(tLogoBool* value);
void* takeListCellBlock();
bool returnListCellBlock(void* block);

} // namespace zembrio
