// Arithmetic and geometry on lists: lists of numbers are vectors, lists of two-number lists are point lists.
// The element operations are the number tables' own, so integer results stay integers, overflow turns
// into reals and a zero divisor is reported exactly as for single numbers.
#include "core/ListPrimitives.h"

#include "core/LogoException.h"
#include "core/LogoRandom.h"
#include "core/LogoValues.h"
#include "core/NameTable.h"
#include "core/ProcessState.h"
#include "core/ValuePools.h"
#include "core/ValueTables.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zembrio {

namespace {

// The receiver of a list-table primitive is always a list: the dispatch went through its table.
tLogoList* asList(tlogoobject* v)
{
    return static_cast<tLogoList*>(v);
}

// The number tables' primitives are reached by name; the codes change with the language, so registration
// refreshes them.
struct tElementCodes {
    tNameCode add = 0, subtract = 0, multiply = 0, divide = 0, div = 0, mod = 0, negate = 0;
    tNameCode random = 0, truncate = 0, round = 0;
} gCodes;

// Runs the receiver's own primitive for the code with one other input (or none); the caller gets the
// counted result.
tValue applyOperation(tProcessState& ps, tNameCode code, tlogoobject* receiver, tlogoobject* other)
{
    tLogoTab* context = nullptr;
    tTabDesc* found = receiver->FindProc(code, context);
    tProcDesc* proc = found ? found->AsProc() : nullptr;
    if (!proc)
        throw eLogoException::withCulpritCode(erDoNotKnowHowTo, code);
    const int32_t height = ps.stack.count();
    try {
        if (other)
            ps.stack.Push(other);
        proc->DispatchedCall(ps, other ? 1 : 0, receiver);
    } catch (...) {
        ps.stack.DropTo(height);
        throw;
    }
    return tValue::adopt(ps.stack.PopTransfer());
}

bool isVector(tLogoList* list)
{
    if (list->IsEmpty())
        return false;
    for (tLogoList* c = list; c && c->first(); c = c->rest())
        if (!c->first()->IsNumber())
            return false;
    return true;
}

// The numbers of a vector; an empty list or an item that is not a number is an error.
std::vector<tlogoobject*> vectorItems(tLogoList* list)
{
    if (list->IsEmpty())
        throw eLogoException(erEmptyList, list);
    std::vector<tlogoobject*> items = listItems(list);
    for (tlogoobject* item : items)
        if (!item->IsNumber())
            throw eLogoException(erBadStructure, list);
    return items;
}

tLogoList* asPoint(tlogoobject* v)
{
    auto* list = valueCast<tLogoList>(v);
    return list && list->count() == 2 && isVector(list) ? list : nullptr;
}

// Non-empty items all points, and at least one of them.
bool isPointList(tLogoList* list)
{
    bool anyPoint = false;
    for (tLogoList* c = list; c && c->first(); c = c->rest()) {
        if (c->first()->IsEmpty())
            continue;
        if (!asPoint(c->first()))
            return false;
        anyPoint = true;
    }
    return anyPoint;
}

// Each point of a point list through f; empty items stay as they are.
template <class F>
tlogoobject* mapPoints(tLogoList* points, F f)
{
    tListBuilder out;
    for (tLogoList* c = points; c && c->first(); c = c->rest()) {
        if (c->first()->IsEmpty())
            out.append(c->first());
        else
            out.append(tValue(f(asPoint(c->first()))).get());
    }
    return freshList(out);
}

tlogoobject* elementwise(tProcessState& ps, tNameCode op, tLogoList* a, tLogoList* b)
{
    const std::vector<tlogoobject*> x = vectorItems(a);
    const std::vector<tlogoobject*> y = vectorItems(b);
    if (x.size() != y.size())
        throw eLogoException(erBadStructure, b);
    tListBuilder out;
    for (size_t i = 0; i < x.size(); ++i)
        out.append(applyOperation(ps, op, x[i], y[i]).get());
    return freshList(out);
}

tlogoobject* withNumber(tProcessState& ps, tNameCode op, tLogoList* a, tlogoobject* number)
{
    tListBuilder out;
    for (tlogoobject* x : vectorItems(a))
        out.append(applyOperation(ps, op, x, number).get());
    return freshList(out);
}

// The arithmetic of two inputs on a list: a point list with a point, a point with a point list (when
// pointFirst), two vectors of equal length, or (when byNumber) a vector or point list with a number.
tlogoobject* listArithmetic(tProcessState& ps, tNameCode op, tlogoobject* r, tlogoobject* other, bool pointFirst,
                            bool byNumber)
{
    tLogoList* a = asList(r);
    auto* b = valueCast<tLogoList>(other);
    if (!b) {
        if (!byNumber)
            throw eLogoException(erExpectList, other);
        if (isPointList(a))
            return mapPoints(a, [&](tLogoList* p) { return withNumber(ps, op, p, other); });
        return withNumber(ps, op, a, other);
    }
    if (isPointList(a))
        return mapPoints(a, [&](tLogoList* p) { return elementwise(ps, op, p, b); });
    if (pointFirst && isPointList(b)) {
        if (vectorItems(a).size() != 2)
            throw eLogoException(erBadStructure, a);
        return mapPoints(b, [&](tLogoList* p) { return elementwise(ps, op, a, p); });
    }
    return elementwise(ps, op, a, b);
}

tlogoobject* plus(tlogoobject* r, tArgs& a)
{
    return listArithmetic(a.ps, gCodes.add, r, a[0], true, false);
}

tlogoobject* minus(tlogoobject* r, tArgs& a)
{
    return listArithmetic(a.ps, gCodes.subtract, r, a[0], false, false);
}

tlogoobject* times(tlogoobject* r, tArgs& a)
{
    return listArithmetic(a.ps, gCodes.multiply, r, a[0], true, true);
}

tlogoobject* dividedBy(tlogoobject* r, tArgs& a)
{
    return listArithmetic(a.ps, gCodes.divide, r, a[0], false, true);
}

tlogoobject* divInt(tlogoobject* r, tArgs& a)
{
    return listArithmetic(a.ps, gCodes.div, r, a[0], false, true);
}

tlogoobject* modInt(tlogoobject* r, tArgs& a)
{
    return listArithmetic(a.ps, gCodes.mod, r, a[0], false, true);
}

// A number operation of one input on every item; the items of a sublist (a point) are done too, but no
// deeper, so nesting cannot run the native stack out.
tlogoobject* eachNumber(tProcessState& ps, tNameCode op, tLogoList* list, bool inner)
{
    tListBuilder out;
    for (tLogoList* c = list; c && c->first(); c = c->rest()) {
        tlogoobject* x = c->first();
        if (auto* sub = valueCast<tLogoList>(x)) {
            if (inner)
                throw eLogoException(erBadStructure, list);
            out.append(tValue(eachNumber(ps, op, sub, true)).get());
        } else {
            out.append(applyOperation(ps, op, x, nullptr).get());
        }
    }
    return freshList(out);
}

tlogoobject* negated(tlogoobject* r, tArgs& a)
{
    tLogoList* list = asList(r);
    if (isPointList(list))
        return eachNumber(a.ps, gCodes.negate, list, false);
    vectorItems(list);
    return eachNumber(a.ps, gCodes.negate, list, true);
}

tlogoobject* identity(tlogoobject* r, tArgs&)
{
    return r;
}

tlogoobject* randomEach(tlogoobject* r, tArgs& a)
{
    return eachNumber(a.ps, gCodes.random, asList(r), false);
}

tlogoobject* intEach(tlogoobject* r, tArgs& a)
{
    return eachNumber(a.ps, gCodes.truncate, asList(r), false);
}

tlogoobject* roundEach(tlogoobject* r, tArgs& a)
{
    return eachNumber(a.ps, gCodes.round, asList(r), false);
}

tlogoobject* realResult(long double x)
{
    if (!std::isfinite(x))
        throw eLogoException(erReal);
    return makeReal(x + 0.0L); // no negative zero: it would print as -0
}

// The length of the vector.
tlogoobject* length(tlogoobject* r, tArgs&)
{
    long double sum = 0;
    for (tlogoobject* x : vectorItems(asList(r))) {
        const long double v = x->AsReal();
        sum += v * v;
    }
    return realResult(std::sqrt(sum));
}

constexpr long double kDegreesPerRadian = 180 / std::numbers::pi_v<long double>;

tLogoList* needPoint(tlogoobject* v)
{
    tLogoList* p = asPoint(v);
    if (!p)
        throw eLogoException(erBadStructure, v);
    return p;
}

// Direction of a point like a turtle heading: clockwise from the positive y axis, in [0, 360). The axes
// are exact so that right angles come out whole.
long double direction(tLogoList* point)
{
    const long double x = point->first()->AsReal();
    const long double y = point->rest()->first()->AsReal();
    if (x == 0)
        return y < 0 ? 180 : 0;
    if (y == 0)
        return x > 0 ? 90 : 270;
    long double d = std::atan2(x, y) * kDegreesPerRadian;
    if (d < 0)
        d += 360;
    return d;
}

tlogoobject* vectorAngle(tlogoobject* r, tArgs& a)
{
    long double angle = direction(needPoint(a[0])) - direction(needPoint(r));
    if (angle < 0)
        angle += 360;
    return realResult(angle);
}

tlogoobject* rotate(tlogoobject* r, tArgs& a)
{
    if (!a[0]->IsNumber())
        throw eLogoException(erBadStructure, a[0]);
    const long double radians = a[0]->AsReal() / kDegreesPerRadian;
    long double c = std::cos(radians);
    long double s = std::sin(radians);
    // Right angles: the other one of the pair is a rounding error away from 0, and must be 0.
    if (std::fabs(c) == 1)
        s = 0;
    if (std::fabs(s) == 1)
        c = 0;
    auto turn = [&](tLogoList* p) -> tlogoobject* {
        const long double x = p->first()->AsReal();
        const long double y = p->rest()->first()->AsReal();
        tListBuilder out;
        out.append(tValue(realResult(x * c + y * s)).get());
        out.append(tValue(realResult(y * c - x * s)).get());
        return freshList(out);
    };
    tLogoList* list = asList(r);
    if (tLogoList* point = asPoint(list))
        return turn(point);
    if (isPointList(list))
        return mapPoints(list, turn);
    throw eLogoException(erBadStructure, list);
}

// A uniform random whole number from 0 to |d| - 1, with the sign of d.
int64_t randomBelow(int64_t d)
{
    if (d == 0)
        return 0;
    const int64_t size = d < 0 ? -d : d;
    int64_t pick = 0;
    if (size - 1 <= INT32_MAX)
        pick = randomRange(0, static_cast<int32_t>(size - 1));
    else
        pick = std::min<int64_t>(size - 1, static_cast<int64_t>(randomUnit() * static_cast<double>(size)));
    return d < 0 ? -pick : pick;
}

tlogoobject* wholeNumber(int64_t v)
{
    if (v >= INT32_MIN && v <= INT32_MAX)
        return makeInt(static_cast<int32_t>(v));
    return makeReal(static_cast<long double>(v));
}

// A random point in a rectangle: [[x1 y1] [x2 y2]], [x1 y1 [x2 y2]] or [x1 y1 w h].
tlogoobject* randomPos(tlogoobject* r, tArgs&)
{
    tLogoList* list = asList(r);
    if (list->IsEmpty())
        throw eLogoException(erEmptyList, list);
    const std::vector<tlogoobject*> items = listItems(list);
    auto number = [&](tlogoobject* v) -> int64_t {
        if (!v->IsNumber())
            throw eLogoException(erBadStructure, list);
        return v->AsInteger();
    };
    int64_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (items.size() == 2 && asPoint(items[0]) && asPoint(items[1])) {
        auto* a = asPoint(items[0]);
        auto* b = asPoint(items[1]);
        x1 = number(a->first());
        y1 = number(a->rest()->first());
        x2 = number(b->first());
        y2 = number(b->rest()->first());
    } else if (items.size() >= 2 && items[0]->IsNumber() && items[1]->IsNumber()) {
        x1 = number(items[0]);
        y1 = number(items[1]);
        if (items.size() == 3 && asPoint(items[2])) {
            auto* b = asPoint(items[2]);
            x2 = number(b->first());
            y2 = number(b->rest()->first());
        } else if (items.size() == 4) {
            const int64_t w = number(items[2]);
            const int64_t h = number(items[3]);
            x2 = x1 + w;
            y2 = w == 0 ? h : y1 + h;
            if (y1 == y2)
                x2 = x1;
        } else {
            throw eLogoException(erBadStructure, list);
        }
    } else {
        throw eLogoException(erBadStructure, list);
    }
    tListBuilder out;
    out.append(tValue(wholeNumber(x1 + randomBelow(x2 - x1))).get());
    out.append(tValue(wholeNumber(y1 - randomBelow(y2 - y1))).get());
    return freshList(out);
}

} // namespace

void registerListArithmetic(tLogoTab& t)
{
    gCodes.add = Intern("+");
    gCodes.subtract = Intern("-");
    gCodes.multiply = Intern("*");
    gCodes.divide = Intern("/");
    gCodes.negate = Intern("<unary ->");
    gCodes.div = Aliases("div").front();
    gCodes.mod = Aliases("mod").front();
    gCodes.random = Aliases("random").front();
    gCodes.truncate = Aliases("int").front();
    gCodes.round = Aliases("round").front();

    registerValueOperator(t, "+", 1, plus, etAddOp);
    registerValueOperator(t, "-", 1, minus, etAddOp);
    registerValueOperator(t, "<unary ->", 0, negated, etUnOp);
    registerValueOperator(t, "<unary +>", 0, identity, etUnOp);
    registerValueOperator(t, "*", 1, times, etMulOp);
    registerValueOperator(t, "/", 1, dividedBy, etMulOp);
    registerValueProc(t, "difference", 1, minus);
    registerValueProc(t, "div", 1, divInt);
    registerValueProc(t, "mod", 1, modInt);
    registerValueProc(t, "random", 0, randomEach);
    registerValueProc(t, "int", 0, intEach);
    registerValueProc(t, "round", 0, roundEach);
    registerValueProc(t, "abs", 0, length);
    registerValueProc(t, "vectorangle", 1, vectorAngle);
    registerValueProc(t, "rotate", 1, rotate);
    registerValueProc(t, "randompos", 0, randomPos);
}

} // namespace zembrio
