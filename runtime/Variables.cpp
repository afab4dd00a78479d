// Variables from Logo: "make" and "thing" through the scope search, "local" and "let" in the current
// frame, "inc" and "dec".
#include "core/DictionaryLookup.h"
#include "core/LogoException.h"
#include "core/LogoValues.h"
#include "core/NumberPrimitives.h"
#include "core/ValuePools.h"
#include "core/VariableTables.h"
#include "runtime/Registration.h"

namespace zembrio {

namespace {

tlogoobject* make(tArgs& a)
{
    a.ps.locals->SetValue(a[0]->AsNameCode(), a[1]);
    return nullptr;
}

tlogoobject* thing(tArgs& a)
{
    return a.ps.locals->GetValue(a[0]->AsNameCode());
}

// Binding once per frame: "local" in a loop re-uses its binding instead of growing the frame.
void makeLocal(tProcessState& ps, tlogoobject* name, tlogoobject* value)
{
    if (!name->IsWord())
        throw eLogoException(erExpectWord, name);
    ps.locals->MakeLocalOnce(name->AsNameCode(), value);
}

tlogoobject* local(tArgs& a)
{
    for (int32_t i = 0; i < a.count(); ++i) {
        if (auto* list = valueCast<tLogoList>(a[i])) {
            for (tLogoList* c = list; c && c->first(); c = c->rest())
                makeLocal(a.ps, c->first(), nullptr);
            continue;
        }
        makeLocal(a.ps, a[i], nullptr);
    }
    return nullptr;
}

tlogoobject* let(tArgs& a)
{
    for (int32_t i = 0; i < a.count(); ++i) {
        if (auto* list = valueCast<tLogoList>(a[i])) {
            if (list->count() % 2 != 0)
                throw eLogoException(erBadStructure, list);
            for (tLogoList* c = list; c && c->first(); c = c->rest()->rest())
                makeLocal(a.ps, c->first(), c->rest()->first());
            continue;
        }
        if (!a[i]->IsWord())
            throw eLogoException(erExpectWord, a[i]);
        if (i + 1 == a.count())
            throw eLogoException::withCulpritCode(erNotEnoughInputs, Intern(primaryName("dict", "let")));
        makeLocal(a.ps, a[i], a[i + 1]);
        ++i;
    }
    return nullptr;
}

void step(tArgs& a, bool up)
{
    if (a.count() == 0)
        throw eLogoException::withCulpritCode(erNotEnoughInputs, Intern(primaryName("dict", up ? "inc" : "dec")));
    if (a.count() > 2)
        throw eLogoException::withCulpritCode(erTooManyInputs, Intern(primaryName("dict", up ? "inc" : "dec")));
    const tNameCode name = a[0]->AsNameCode();
    tlogoobject* current = a.ps.locals->GetValue(name);
    if (!current->IsNumber())
        throw eLogoException(erExpectNumber, current);
    tValue amount = a.count() == 2 ? tValue(a[1]) : tValue(makeInt(1));
    tValue result(up ? numberSum(current, amount.get()) : numberDifference(current, amount.get()));
    a.ps.locals->SetValue(name, result.get());
}

tlogoobject* inc(tArgs& a)
{
    step(a, true);
    return nullptr;
}

tlogoobject* dec(tArgs& a)
{
    step(a, false);
    return nullptr;
}

} // namespace

void registerVariables(tLogoTab& table)
{
    registerMain(table, "make", 2, false, make, etIfFun);
    registerMain(table, "thing", 1, false, thing);
    registerMain(table, "local", 1, true, local);
    registerMain(table, "let", 2, true, let, etIfFun);
    registerMain(table, "inc", 1, true, inc);
    registerMain(table, "dec", 1, true, dec);
}

} // namespace zembrio
