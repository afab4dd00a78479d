#include "core/ValuePools.h"

#include "core/NameTable.h"

#include <atomic>
#include <vector>

namespace zembrio {

namespace {

thread_local bool tIsLogoProcess = false;

// A stack of recycled objects. Guarded by the global interpreter lock: only Logo process threads use it.
// Every arithmetic step takes one object and gives one back, so both are a few instructions.
template <class T>
struct tPool {
    T* items[kValuePoolSize];
    int count = 0;
    int made = 0; // objects that belong to the pool, in it or out
    ~tPool()
    {
        for (int i = 0; i < count; ++i)
            delete items[i];
    }
    T* take()
    {
        if (count == 0 || !tIsLogoProcess)
            return nullptr;
        return items[--count];
    }
    // Any object of the pool's class may join it, so objects taken out by keepTemporary come back.
    bool give(T* p)
    {
        if (!tIsLogoProcess)
            return false;
        if (count >= kValuePoolSize) {
            if (p->pooled)
                --made; // the caller frees it: one object fewer belongs to the pool
            return false;
        }
        if (!p->pooled) {
            p->pooled = 1;
            ++made;
        }
        p->refCount = 0;
        items[count++] = p;
        return true;
    }
    T* leave(T* p)
    {
        p->pooled = 0;
        --made;
        return p;
    }
    void fill()
    {
        while (count < kValuePoolSize) {
            T* p = new T;
            p->pooled = 1;
            items[count++] = p;
            ++made;
        }
    }
};

constexpr size_t kPooledWordKeepsBytes = 4096;

tPool<tLogoInt> gIntPool;
tPool<tLogoReal> gRealPool;
tPool<tLogoString> gWordPool;
tPool<tLogoBool> gBoolPool;

struct tCellPool {
    std::vector<void*> blocks;
    ~tCellPool()
    {
        for (void* b : blocks)
            ::operator delete(b);
    }
};
tCellPool gCellPool;

// Only the slow paths count; threads that are not Logo processes allocate cells too, hence atomics.
std::atomic<int64_t> gHeapCells{0};
std::atomic<int64_t> gFreedCells{0};
int64_t gFilledCells = 0;

} // namespace

bool isLogoProcessThread()
{
    return tIsLogoProcess;
}

void setLogoProcessThread(bool isProcess)
{
    tIsLogoProcess = isProcess;
}

void fillValuePools()
{
    gIntPool.fill();
    gRealPool.fill();
    gWordPool.fill();
    gBoolPool.fill();
    gCellPool.blocks.reserve(kListCellPoolSize);
    while (static_cast<int>(gCellPool.blocks.size()) < kListCellPoolSize) {
        gCellPool.blocks.push_back(::operator new(sizeof(tLogoList)));
        ++gFilledCells;
    }
}

tPoolCounts poolCounts()
{
    return {gIntPool.count, gRealPool.count, gWordPool.count, gBoolPool.count,
            static_cast<int>(gCellPool.blocks.size())};
}

tLogoInt* makeInt(int32_t value)
{
    if (tLogoInt* p = gIntPool.take()) {
        p->reset(value);
        return p;
    }
    return new tLogoInt(value);
}

tLogoReal* makeReal(long double value)
{
    if (tLogoReal* p = gRealPool.take()) {
        p->reset(value);
        return p;
    }
    return new tLogoReal(value);
}

namespace {

bool isInternalName(std::string_view text)
{
    return text.size() > 1 && text[0] == kInternalMark;
}

} // namespace

tLogoString* makeWord(std::string_view text)
{
    // Every word passes its text through the translation of internal "·" names when made.
    std::string translated;
    if (isInternalName(text)) {
        translated = Translate(text);
        text = translated;
    }
    if (tLogoString* p = gWordPool.take()) {
        p->assignText(text);
        return p;
    }
    return new tLogoString(std::string(text));
}

tLogoString* makeLongLivedWord(std::string_view text)
{
    return new tLogoString(isInternalName(text) ? Translate(text) : std::string(text));
}

tLogoBool* makeBool(bool value)
{
    if (tLogoBool* p = gBoolPool.take()) {
        p->reset(value);
        return p;
    }
    return new tLogoBool(value);
}

namespace {

template <class T>
T* keptNumberCopy(T* source)
{
    auto* copy = new T(source->value());
    if (source->hasSourceText()) {
        std::string text;
        source->tlogonumber::AsText(text);
        copy->setSourceText(text);
    }
    return copy;
}

} // namespace

tlogoobject* makeKeptCopy(tlogoobject* value)
{
    if (auto* i = valueCast<tLogoInt>(value))
        return keptNumberCopy(i);
    if (auto* r = valueCast<tLogoReal>(value))
        return keptNumberCopy(r);
    if (auto* b = valueCast<tLogoBool>(value))
        return keptNumberCopy(b);
    if (auto* w = valueCast<tLogoString>(value))
        return new tLogoString(w->text());
    return value->Clone();
}

bool leavePool(tlogoobject* value)
{
    if (!value->pooled)
        return false;
    if (auto* i = valueCast<tLogoInt>(value))
        gIntPool.leave(i);
    else if (auto* r = valueCast<tLogoReal>(value))
        gRealPool.leave(r);
    else if (auto* b = valueCast<tLogoBool>(value))
        gBoolPool.leave(b);
    else if (auto* w = valueCast<tLogoString>(value))
        gWordPool.leave(w);
    else
        return false;
    return true;
}

tlogoobject* keepTemporary(tlogoobject* counted)
{
    // Nobody else sees it: it leaves its pool instead of being copied.
    if (counted->refCount == 1 && leavePool(counted))
        return counted;
    tlogoobject* copy = makeKeptCopy(counted);
    addRef(copy);
    release(counted);
    return copy;
}

tLogoInt* makeIntFromSource(int32_t value, std::string_view text)
{
    tLogoInt* p = makeInt(value);
    p->setSourceText(text);
    return p;
}

tLogoReal* makeRealFromSource(long double value, std::string_view text)
{
    tLogoReal* p = makeReal(value);
    p->setSourceText(text);
    return p;
}

tLogoBool* makeBoolFromSource(bool value, std::string_view text)
{
    tLogoBool* p = makeBool(value);
    p->setSourceText(text);
    return p;
}

bool returnIntToPool(tLogoInt* value)
{
    return gIntPool.give(value);
}

bool returnRealToPool(tLogoReal* value)
{
    return gRealPool.give(value);
}

bool returnWordToPool(tLogoString* value)
{
    if (!gWordPool.give(value))
        return false;
    // The next word made in it reuses the buffer, unless the buffer is big enough to matter as memory.
    value->clearText(kPooledWordKeepsBytes);
    return true;
}

bool returnBoolToPool(tLogoBool* value)
{
    return gBoolPool.give(value);
}

tPoolTraffic poolTraffic()
{
    return {gHeapCells.load(std::memory_order_relaxed), gFreedCells.load(std::memory_order_relaxed), gFilledCells,
            gIntPool.made + gRealPool.made + gWordPool.made + gBoolPool.made};
}

void* takeListCellBlock()
{
    if (!tIsLogoProcess || gCellPool.blocks.empty()) {
        gHeapCells.fetch_add(1, std::memory_order_relaxed); // the caller allocates
        return nullptr;
    }
    void* b = gCellPool.blocks.back();
    gCellPool.blocks.pop_back();
    return b;
}

bool returnListCellBlock(void* block)
{
    if (!tIsLogoProcess || static_cast<int>(gCellPool.blocks.size()) >= kListCellPoolSize) {
        gFreedCells.fetch_add(1, std::memory_order_relaxed); // the caller frees
        return false;
    }
    gCellPool.blocks.push_back(block);
    return true;
}

} // namespace zembrio
