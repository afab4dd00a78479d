// Procedures from Logo: "define" makes one from a definition list, "text" gives one back as a list.
#include "core/LogoException.h"
#include "core/LogoValues.h"
#include "core/Reader.h"
#include "core/UserProcedures.h"
#include "runtime/Registration.h"

namespace zembrio {

namespace {

tlogoobject* define(tArgs& a)
{
    if (!a[1]->IsList())
        throw eLogoException(erExpectList, a[1]);
    if (a[1]->IsEmpty())
        throw eLogoException(erEmptyList, a[1]);
    std::string name;
    a[0]->AsText(name);
    DefineFromList(a.ps.currentObject, name, a[1]);
    return nullptr;
}

tlogoobject* text(tArgs& a)
{
    if (auto* list = valueCast<tLogoList>(a[0])) {
        // Each element read back from its printed form.
        tListBuilder result;
        for (tLogoList* c = list; c && c->first(); c = c->rest())
            result.append(ReadList(c->first()->PrintText(), false).get());
        return handOver(result.take());
    }
    tLogoTab* context = nullptr;
    tTabDesc* found = a.ps.currentObject ? a.ps.currentObject->LookupProc(a[0]->AsNameCode(), context) : nullptr;
    tProcDesc* proc = found ? found->AsProc() : nullptr;
    tlogoobject* definition = proc ? proc->DefinitionList() : nullptr;
    return definition ? definition : new tLogoList;
}

} // namespace

void registerDefinitions(tLogoTab& table)
{
    registerMain(table, "define", 2, false, define);
    registerMain(table, "text", 1, false, text);
}

} // namespace zembrio
