// Value constructors and tests of the main object: "word", "list", "sentence", the variadic arithmetic
// and bitwise operations, "equal?", the type tests, "any" and "randomize".
#include "core/DictionaryLookup.h"
#include "core/LogoException.h"
#include "core/LogoRandom.h"
#include "core/LogoValues.h"
#include "core/NameTable.h"
#include "core/ProcessState.h"
#include "core/ValueConvert.h"
#include "core/ValuePools.h"
#include "core/ValueSettings.h"
#include "runtime/Registration.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <thread>

namespace zembrio {

namespace {

// A fresh list to the descriptor that pushes it. (Converting the builder's list to a tValue first would
// leave a second, temporary reference that frees the list when it goes.)
tlogoobject* handOverList(tRef<tLogoList> list)
{
    tLogoList* p = list.leak();
    dropWithoutFree(p);
    return p;
}

constexpr size_t kWordBufferKeepsBytes = 64 * 1024;

tlogoobject* word(tArgs& a)
{
    // Words grow a character at a time in loops: the joined text goes through one buffer per thread, so
    // that a step allocates nothing once the buffer and the pooled words are big enough.
    thread_local std::string text;
    text.clear();
    for (int32_t i = 0; i < a.count(); ++i)
        text += tWordText(a[i]).view(); // a list is erExpectWord
    tlogoobject* result = makeWord(text);
    if (text.capacity() > kWordBufferKeepsBytes)
        std::string().swap(text);
    return result;
}

tlogoobject* list(tArgs& a)
{
    tListBuilder items;
    for (int32_t i = 0; i < a.count(); ++i)
        items.append(a[i]);
    return handOverList(items.take());
}

// Lists give their items, everything else itself.
tlogoobject* sentence(tArgs& a)
{
    tListBuilder items;
    for (int32_t i = 0; i < a.count(); ++i) {
        auto* cell = valueCast<tLogoList>(a[i]);
        if (!cell) {
            items.append(a[i]);
            continue;
        }
        for (; cell && cell->first(); cell = cell->rest())
            items.append(cell->first());
    }
    return handOverList(items.take());
}

tlogoobject* equalAll(tArgs& a)
{
    for (int32_t i = 1; i < a.count(); ++i)
        if (!a[0]->IsEqual(a[i]))
            return makeBool(false);
    return makeBool(true);
}

// The input as a 32-bit integer when it is one: an integral real or integer text counts.
bool wholeInput(tlogoobject* v, int32_t& out)
{
    if (!v->IsInteger())
        return false;
    if (auto* r = valueCast<tLogoReal>(v)) {
        const long double x = r->value();
        if (x < std::numeric_limits<int32_t>::min() || x > std::numeric_limits<int32_t>::max())
            return false;
        out = static_cast<int32_t>(x);
        return true;
    }
    out = v->AsInteger();
    return true;
}

// Sum or product of numbers: 32-bit integers while the inputs are integers and nothing overflows, then
// extended reals to the end. A real first input works in reals from the start.
tlogoobject* numberFold(tArgs& a, bool product)
{
    int64_t whole = product ? 1 : 0;
    long double real = 0;
    bool inIntegers = valueCast<tLogoReal>(a[0]) == nullptr;
    if (!inIntegers)
        real = product ? 1 : 0;
    for (int32_t i = 0; i < a.count(); ++i) {
        tlogoobject* v = a[i];
        int32_t x = 0;
        if (inIntegers && wholeInput(v, x)) {
            const int64_t next = product ? whole * x : whole + x;
            if (next >= std::numeric_limits<int32_t>::min() && next <= std::numeric_limits<int32_t>::max()) {
                whole = next;
                continue;
            }
        }
        if (inIntegers) {
            real = static_cast<long double>(whole);
            inIntegers = false;
        }
        const long double y = v->AsReal();
        real = product ? real * y : real + y;
    }
    if (inIntegers)
        return makeInt(static_cast<int32_t>(whole));
    if (!std::isfinite(real))
        throw eLogoException(erReal);
    return makeReal(real);
}

// Lists combine element by element: each step is the accumulated value's own operator, as if the user
// had written the inputs with "+" or "*" between them, so the receiver always belongs to the table
// whose operation runs, and the main object follows whatever vector arithmetic the list class has.
tlogoobject* listFold(tArgs& a, const char* symbol)
{
    const tNameCode code = Intern(symbol);
    tLogoStack& stack = a.ps.stack;
    tValue acc(a[0]);
    for (int32_t i = 1; i < a.count(); ++i) {
        tLogoTab* context = nullptr;
        tTabDesc* found = acc->FindProc(code, context);
        tProcDesc* op = found ? found->AsProc() : nullptr;
        if (!op)
            throw eLogoException::withCulpritCode(erDoNotKnowHowTo, code);
        const int32_t height = stack.count();
        try {
            stack.Push(a[i]);
            op->DispatchedCall(a.ps, 1, acc.get());
        } catch (...) {
            stack.DropTo(height);
            throw;
        }
        acc = tValue::adopt(stack.PopTransfer());
        if (!acc)
            throw eLogoException::withCulpritCode(erDidNotReport, code);
    }
    return handOver(std::move(acc));
}

// The last input decides: numbers fold as numbers, lists element by element, anything else is no number.
tlogoobject* fold(tArgs& a, bool product)
{
    if (a.count() == 0)
        return makeInt(product ? 1 : 0);
    tlogoobject* last = a[a.count() - 1];
    if (last->IsNumber())
        return numberFold(a, product);
    if (last->IsList())
        return listFold(a, product ? "*" : "+");
    throw eLogoException(erExpectNumber, last);
}

tlogoobject* sum(tArgs& a)
{
    return fold(a, false);
}

tlogoobject* product(tArgs& a)
{
    return fold(a, true);
}

template <class Op>
tlogoobject* bitwise(tArgs& a, int32_t empty, Op op)
{
    if (a.count() == 0)
        return makeInt(empty);
    tlogoobject* last = a[a.count() - 1];
    if (!last->IsWord())
        throw eLogoException(erMinMax, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(),
                             last);
    int32_t result = a[0]->AsInteger();
    for (int32_t i = 1; i < a.count(); ++i)
        result = op(result, a[i]->AsInteger());
    return makeInt(result);
}

tlogoobject* bitAnd(tArgs& a)
{
    // With nothing to combine the answer is the lowest integer, not all ones.
    return bitwise(a, std::numeric_limits<int32_t>::min(), [](int32_t x, int32_t y) { return x & y; });
}

tlogoobject* bitOr(tArgs& a)
{
    return bitwise(a, 0, [](int32_t x, int32_t y) { return x | y; });
}

tlogoobject* bitXor(tArgs& a)
{
    return bitwise(a, 0, [](int32_t x, int32_t y) { return x ^ y; });
}

tlogoobject* isEmpty(tArgs& a)
{
    return makeBool(a[0]->IsEmpty());
}

tlogoobject* isWord(tArgs& a)
{
    return makeBool(a[0]->IsWord());
}

tlogoobject* isList(tArgs& a)
{
    return makeBool(a[0]->IsList());
}

tlogoobject* isNumber(tArgs& a)
{
    return makeBool(a[0]->IsNumber());
}

tlogoobject* anyWord(tArgs&)
{
    const auto& words = gValueSettings.anyWords;
    return makeWord(words.empty() ? primaryName("dict", "any") : words.front());
}

tlogoobject* randomize(tArgs&)
{
    // Two projects started in the same tick still differ by thread.
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    randomSeed(static_cast<uint64_t>(now) ^ std::hash<std::thread::id>()(std::this_thread::get_id()));
    return nullptr;
}

} // namespace

void registerValueConstructors(tLogoTab& table)
{
    registerMain(table, "word", 2, true, word);
    registerMain(table, "list", 2, true, list);
    registerMain(table, "sentence", 2, true, sentence);
    registerMain(table, "equal?", 2, true, equalAll);
    registerMain(table, "sum", 2, true, sum);
    registerMain(table, "product", 2, true, product);
    registerMain(table, "any", 0, false, anyWord);
    registerMain(table, "bitand", 2, true, bitAnd);
    registerMain(table, "bitor", 2, true, bitOr);
    registerMain(table, "bitxor", 2, true, bitXor);
    registerMain(table, "empty?", 1, false, isEmpty);
    registerMain(table, "word?", 1, false, isWord);
    registerMain(table, "list?", 1, false, isList);
    registerMain(table, "number?", 1, false, isNumber);
    registerMain(table, "randomize", 0, false, randomize);
}

} // namespace zembrio
