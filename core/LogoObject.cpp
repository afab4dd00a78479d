#include "core/LogoObject.h"

#include "core/Descriptors.h"
#include "core/LogoException.h"
#include "core/MethodTable.h"
#include "core/ValueSettings.h"

namespace zembrio {

void tlogoobject::FreeValue()
{
    delete this;
}

tlogoobject* tlogoobject::Clone()
{
    // Objects that cannot be copied answer with themselves; plain values override.
    return this;
}

int32_t tlogoobject::AsIntegerInRange(int32_t min, int32_t max)
{
    throw eLogoException(erMinMax, min, max, this);
}

int32_t tlogoobject::AsInteger()
{
    throw eLogoException(erExpectNumber, this);
}

long double tlogoobject::AsReal()
{
    throw eLogoException(erExpectNumber, this);
}

int32_t tlogoobject::AsColour()
{
    throw eLogoException(erExpectColors, this);
}

void tlogoobject::PrintForm(bool, std::string& out)
{
    const std::string& tmpl = gValueSettings.instanceOfText;
    const size_t at = tmpl.find("%s");
    if (at == std::string::npos) {
        out += tmpl;
        return;
    }
    out.append(tmpl, 0, at);
    out += ClassName();
    out.append(tmpl, at + 2);
}

void tlogoobject::SourceForm(bool inList, std::string& out)
{
    PrintForm(inList, out);
}

void tlogoobject::AsText(std::string&)
{
    throw eLogoException(erExpectWord, this);
}

uint32_t tlogoobject::AsNameCode()
{
    throw eLogoException(erExpectWord, this);
}

tCompiledArray* tlogoobject::Compile(uint8_t)
{
    throw eLogoException(erExpectList, this);
}

bool tlogoobject::AsBool()
{
    throw eLogoException(erNotBool, this);
}

bool tlogoobject::IsEqual(tlogoobject* other)
{
    return this == other;
}

void tlogoobject::ForEach(uint32_t, tlogoobject*)
{
    throw eLogoException(erExpectList, this);
}

tTabDesc* tlogoobject::FindProc(uint32_t code, tLogoTab*& context)
{
    if (tTabDesc* d = LookupProc(code, context))
        return d;
    throw eLogoException::withCulpritCode(erDoNotKnowHowTo, code);
}

tTabDesc* tlogoobject::LookupProc(uint32_t code, tLogoTab*& context)
{
    context = methodTable;
    return methodTable ? methodTable->Lookup(code) : nullptr;
}

tTabDesc* tlogoobject::LookupUsual(tLogoTab*&, uint32_t)
{
    throw eLogoException(erUsual, this);
}

void tlogoobject::RemoveOwnEntry(uint32_t code)
{
    if (!methodTable)
        throw eLogoException::withCulpritCode(erDoNotKnowHowTo, code);
    methodTable->Remove(code);
}

bool tlogoobject::FindEntry(uint32_t code, tTabDesc*& descriptor)
{
    descriptor = methodTable ? methodTable->Lookup(code) : nullptr;
    return descriptor != nullptr;
}

void tlogoobject::SaveVariables(tSaveContext& save, bool)
{
    if (methodTable)
        methodTable->SaveAll(save, true, 3);
}

std::string tlogoobject::PrintText()
{
    std::string out;
    PrintForm(false, out);
    return out;
}

} // namespace zembrio
