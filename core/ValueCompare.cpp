#include "core/ValueCompare.h"

#include "core/LogoValues.h"
#include "core/NameCompare.h"

namespace zembrio {

namespace {

enum class tNumberKind { None, Integer, Real };

tNumberKind numberKind(tlogoobject* v, int32_t& i, long double& r)
{
    if (auto* n = valueCast<tLogoInt>(v)) {
        i = n->value();
        return tNumberKind::Integer;
    }
    if (auto* n = valueCast<tLogoReal>(v)) {
        r = n->value();
        return tNumberKind::Real;
    }
    if (auto* s = valueCast<tLogoString>(v); s && s->IsNumber()) {
        if (s->isIntegerText()) {
            i = s->integerValue();
            return tNumberKind::Integer;
        }
        r = s->realValue();
        return tNumberKind::Real;
    }
    return tNumberKind::None;
}

// Both numeric: returns true and sets the three-way result.
bool compareNumbers(tlogoobject* a, tlogoobject* b, int& result)
{
    int32_t ia = 0, ib = 0;
    long double ra = 0, rb = 0;
    const tNumberKind ka = numberKind(a, ia, ra);
    if (ka == tNumberKind::None)
        return false;
    const tNumberKind kb = numberKind(b, ib, rb);
    if (kb == tNumberKind::None)
        return false;
    if (ka == tNumberKind::Integer && kb == tNumberKind::Integer) {
        result = ia < ib ? -1 : (ia > ib ? 1 : 0);
        return true;
    }
    if (ka == tNumberKind::Integer)
        ra = ia;
    if (kb == tNumberKind::Integer)
        rb = ib;
    result = ra < rb ? -1 : (ra > rb ? 1 : 0);
    return true;
}

} // namespace

bool wordsEqual(tlogoobject* a, tlogoobject* b)
{
    int result = 0;
    if (compareNumbers(a, b, result))
        return result == 0;
    std::string ta, tb;
    a->AsText(ta);
    b->AsText(tb);
    return sameName(ta, tb);
}

int compareWordsForOrder(tlogoobject* a, tlogoobject* b)
{
    int result = 0;
    if (compareNumbers(a, b, result))
        return result;
    std::string ta, tb;
    a->AsText(ta);
    b->AsText(tb);
    return compareNames(ta, tb);
}

} // namespace zembrio
