// The number operations of the string, integer and real tables, and the comparisons of every word table.
// Integer arithmetic switches to extended reals when a 32-bit result would overflow; C++ does not trap
// on floating-point faults, so every real result is checked: a zero divisor is erDiv0, anything
// non-finite erReal.
#include "core/DictionaryLookup.h"
#include "core/LogoException.h"
#include "core/LogoRandom.h"
#include "core/LogoValues.h"
#include "core/NumberPrimitives.h"
#include "core/NameCompare.h"
#include "core/ValueCompare.h"
#include "core/ValuePools.h"
#include "core/ProcessState.h"
#include "core/ValueTables.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace zembrio {

namespace {

using tArith = long double;

// The operand as a 32-bit integer when it is one (an integral real or integer text counts).
bool asInt32(tlogoobject* v, int32_t& out)
{
    if (auto* i = valueCast<tLogoInt>(v)) {
        out = i->value();
        return true;
    }
    if (auto* r = valueCast<tLogoReal>(v)) {
        const long double x = r->value();
        if (x != std::trunc(x) || x < INT32_MIN || x > INT32_MAX)
            return false;
        out = static_cast<int32_t>(x);
        return true;
    }
    if (auto* s = valueCast<tLogoString>(v); s && s->isIntegerText()) {
        out = s->integerValue();
        return true;
    }
    return false;
}

tlogoobject* realResult(tArith x)
{
    if (!std::isfinite(x))
        throw eLogoException(erReal);
    return makeReal(x);
}

tlogoobject* intOrReal(int64_t x)
{
    if (x >= INT32_MIN && x <= INT32_MAX)
        return makeInt(static_cast<int32_t>(x));
    return makeReal(static_cast<tArith>(x));
}

// Truncated or rounded value: an integer when it fits, else a real without fraction.
tlogoobject* wholeResult(tArith x)
{
    if (!std::isfinite(x))
        throw eLogoException(erReal);
    if (std::fabs(x) <= 2147483647.0L)
        return makeInt(static_cast<int32_t>(x));
    return makeReal(x);
}

template <class IntOp, class RealOp>
tlogoobject* arithmetic(tlogoobject* a, tlogoobject* b, IntOp intOp, RealOp realOp)
{
    int32_t x = 0, y = 0;
    if (asInt32(a, x) && asInt32(b, y))
        return intOrReal(intOp(int64_t(x), int64_t(y)));
    return realResult(realOp(a->AsReal(), b->AsReal()));
}

tlogoobject* add(tlogoobject* r, tArgs& a)
{
    return numberSum(r, a[0]);
}

tlogoobject* subtract(tlogoobject* r, tArgs& a)
{
    return numberDifference(r, a[0]);
}

// A number with a list on its right: the list's own operation does the work (scaling, rotating).
tlogoobject* byListOperation(tArgs& a, tNameCode code, tlogoobject* number)
{
    tlogoobject* list = a[0];
    tLogoTab* context = nullptr;
    tTabDesc* found = list->FindProc(code, context);
    tProcDesc* proc = found ? found->AsProc() : nullptr;
    if (!proc)
        throw eLogoException::withCulpritCode(erDoNotKnowHowTo, code);
    const int32_t height = a.ps.stack.count();
    a.ps.stack.Push(number);
    try {
        proc->DispatchedCall(a.ps, 1, list);
    } catch (...) {
        a.ps.stack.DropTo(height);
        throw;
    }
    return handOver(tValue::adopt(a.ps.stack.PopTransfer()));
}

tlogoobject* multiply(tlogoobject* r, tArgs& a)
{
    if (a[0]->IsList())
        return byListOperation(a, Intern("*"), r); // scales the list
    return arithmetic(r, a[0], std::multiplies<>(), std::multiplies<>());
}

tlogoobject* divide(tlogoobject* r, tArgs& a)
{
    if (a[0]->IsList())
        return byListOperation(a, Intern(primaryName("dict", "rotate")), r); // rotates its points
    const tArith x = r->AsReal();
    const tArith y = a[0]->AsReal();
    if (y == 0)
        throw eLogoException(erDiv0);
    return realResult(x / y);
}

// Quotient rounded toward minus infinity and the matching remainder, which takes the divisor's sign.
void floorDivide(tlogoobject* r, tArgs& a, int64_t& quotient, int64_t& remainder)
{
    const int64_t x = r->AsInteger();
    const int64_t y = a[0]->AsInteger();
    if (y == 0)
        throw eLogoException(erDiv0);
    quotient = x / y;
    remainder = x % y;
    if (remainder != 0 && ((remainder < 0) != (y < 0))) {
        --quotient;
        remainder += y;
    }
}

tlogoobject* divInt(tlogoobject* r, tArgs& a)
{
    int64_t q = 0, m = 0;
    floorDivide(r, a, q, m);
    return intOrReal(q); // -2147483648 div -1 does not fit: the real result
}

tlogoobject* modInt(tlogoobject* r, tArgs& a)
{
    int64_t q = 0, m = 0;
    floorDivide(r, a, q, m);
    return intOrReal(m);
}

tlogoobject* negate(tlogoobject* r, tArgs&)
{
    int32_t x = 0;
    if (asInt32(r, x))
        return intOrReal(-int64_t(x));
    return realResult(-r->AsReal());
}

tlogoobject* identity(tlogoobject* r, tArgs&)
{
    r->AsReal(); // a number, or erExpectNumber
    return r;
}

tlogoobject* randomInt(tlogoobject* r, tArgs&)
{
    int32_t n = 0;
    if (auto* s = valueCast<tLogoString>(r); s && s->IsNumber() && !s->isIntegerText()) {
        const double x = static_cast<double>(s->realValue());
        const double rounded = x >= 0 ? std::trunc(x + 0.5) : std::trunc(x - 0.5);
        if (!(rounded >= INT32_MIN && rounded <= INT32_MAX))
            throw eLogoException(erNumTooBig, r);
        n = static_cast<int32_t>(rounded);
    } else {
        n = r->AsInteger();
    }
    if (n > 0)
        return makeInt(randomRange(0, n - 1));
    if (n < 0)
        return makeInt(-randomRange(0, -(n + 1)));
    return makeInt(0);
}

tlogoobject* absolute(tlogoobject* r, tArgs&)
{
    int32_t x = 0;
    if (asInt32(r, x) && valueCast<tLogoReal>(r) == nullptr)
        return intOrReal(x < 0 ? -int64_t(x) : x);
    return realResult(std::fabs(r->AsReal()));
}

tlogoobject* truncate(tlogoobject* r, tArgs&)
{
    return wholeResult(std::trunc(r->AsReal()));
}

tlogoobject* roundHalfAway(tlogoobject* r, tArgs&)
{
    return wholeResult(std::round(r->AsReal()));
}

constexpr tArith kRadiansPerDegree = std::numbers::pi_v<tArith> / 180;

tlogoobject* sine(tlogoobject* r, tArgs&)
{
    return realResult(std::sin(r->AsReal() * kRadiansPerDegree));
}

tlogoobject* cosine(tlogoobject* r, tArgs&)
{
    return realResult(std::cos(r->AsReal() * kRadiansPerDegree));
}

tlogoobject* tangent(tlogoobject* r, tArgs&)
{
    return realResult(std::tan(r->AsReal() * kRadiansPerDegree));
}

tlogoobject* arctangent(tlogoobject* r, tArgs&)
{
    return realResult(std::atan(r->AsReal()) / kRadiansPerDegree);
}

tlogoobject* exponential(tlogoobject* r, tArgs&)
{
    return realResult(std::exp(r->AsReal()));
}

tlogoobject* logarithm(tlogoobject* r, tArgs&)
{
    return realResult(std::log(r->AsReal()));
}

tlogoobject* squareRoot(tlogoobject* r, tArgs&)
{
    return realResult(std::sqrt(r->AsReal()));
}

tlogoobject* bitNot(tlogoobject* r, tArgs&)
{
    return makeInt(~r->AsInteger());
}

tlogoobject* less(tlogoobject* r, tArgs& a)
{
    return makeBool(compareWordsForOrder(r, a[0]) < 0);
}

tlogoobject* greater(tlogoobject* r, tArgs& a)
{
    return makeBool(compareWordsForOrder(r, a[0]) > 0);
}

tlogoobject* lessOrEqual(tlogoobject* r, tArgs& a)
{
    return makeBool(compareWordsForOrder(r, a[0]) <= 0);
}

tlogoobject* greaterOrEqual(tlogoobject* r, tArgs& a)
{
    return makeBool(compareWordsForOrder(r, a[0]) >= 0);
}

tlogoobject* equal(tlogoobject* r, tArgs& a)
{
    return makeBool(r->IsEqual(a[0]));
}

tlogoobject* notEqual(tlogoobject* r, tArgs& a)
{
    return makeBool(!r->IsEqual(a[0]));
}

// Booleans order by their printed texts.
int compareBoolTexts(tlogoobject* a, tlogoobject* b)
{
    std::string ta, tb;
    a->AsText(ta);
    b->AsText(tb);
    return compareNames(ta, tb);
}

tlogoobject* notImplemented(tlogoobject*, tArgs&)
{
    throw eLogoException(erInternExecuteF);
}

void registerComparisons(tLogoTab& table)
{
    registerValueOperator(table, "=", 1, equal, etRelOp);
    registerValueOperator(table, "<>", 1, notEqual, etRelOp);
}

void registerOrderings(tLogoTab& table, tValueProc lt, tValueProc gt, tValueProc le, tValueProc ge)
{
    registerValueProc(table, "less?", 1, lt);
    registerValueOperator(table, "<", 1, lt, etRelOp);
    registerValueProc(table, "greater?", 1, gt);
    registerValueOperator(table, ">", 1, gt, etRelOp);
    registerValueOperator(table, "<=", 1, le, etRelOp);
    registerValueOperator(table, ">=", 1, ge, etRelOp);
}

void registerNumberOperations(tLogoTab& table)
{
    registerValueOperator(table, "+", 1, add, etAddOp);
    registerValueOperator(table, "-", 1, subtract, etAddOp);
    registerValueOperator(table, "*", 1, multiply, etMulOp);
    registerValueOperator(table, "/", 1, divide, etMulOp);
    registerValueOperator(table, "<unary ->", 0, negate, etUnOp);
    registerValueOperator(table, "<unary +>", 0, identity, etUnOp);
    registerValueProc(table, "quotient", 1, divide);
    registerValueProc(table, "difference", 1, subtract);
    registerValueProc(table, "div", 1, divInt);
    registerValueProc(table, "mod", 1, modInt);
    registerValueProc(table, "random", 0, randomInt);
    registerValueProc(table, "abs", 0, absolute);
    registerValueProc(table, "int", 0, truncate);
    registerValueProc(table, "round", 0, roundHalfAway);
    registerValueProc(table, "sin", 0, sine);
    registerValueProc(table, "cos", 0, cosine);
    registerValueProc(table, "tan", 0, tangent);
    registerValueProc(table, "arctan", 0, arctangent);
    registerValueProc(table, "exp", 0, exponential);
    registerValueProc(table, "ln", 0, logarithm);
    registerValueProc(table, "sqrt", 0, squareRoot);
    registerComparisons(table);
    registerOrderings(table, less, greater, lessOrEqual, greaterOrEqual);
}

} // namespace

tlogoobject* numberSum(tlogoobject* a, tlogoobject* b)
{
    return arithmetic(a, b, std::plus<>(), std::plus<>());
}

tlogoobject* numberDifference(tlogoobject* a, tlogoobject* b)
{
    return arithmetic(a, b, std::minus<>(), std::minus<>());
}

void registerNumberPrimitives(tValueTables& tables)
{
    for (tLogoTab* table : {&tables.string, &tables.integer, &tables.real})
        registerNumberOperations(*table);
    registerValueProc(tables.string, "bitnot", 0, bitNot);
    registerValueProc(tables.integer, "bitnot", 0, bitNot);

    // Booleans compare their values for "=" and "<>", and their printed texts for the orderings.
    registerComparisons(tables.boolean);
    registerOrderings(
        tables.boolean, [](tlogoobject* r, tArgs& a) -> tlogoobject* { return makeBool(compareBoolTexts(r, a[0]) < 0); },
        [](tlogoobject* r, tArgs& a) -> tlogoobject* { return makeBool(compareBoolTexts(r, a[0]) > 0); },
        [](tlogoobject* r, tArgs& a) -> tlogoobject* { return makeBool(compareBoolTexts(r, a[0]) <= 0); },
        [](tlogoobject* r, tArgs& a) -> tlogoobject* { return makeBool(compareBoolTexts(r, a[0]) >= 0); });
    registerValueProc(tables.boolean, "div", 1, notImplemented);
    registerValueProc(tables.boolean, "mod", 1, notImplemented);
    registerValueProc(tables.boolean, "bitnot", 0, [](tlogoobject* r, tArgs&) -> tlogoobject* {
        throw eLogoException(erMinMax, INT32_MIN, INT32_MAX, r);
    });

    // Lists are equal item by item.
    registerComparisons(tables.list);
}

} // namespace zembrio
