#include "core/ValueTables.h"

#include "core/LogoValues.h"

namespace zembrio {

tValueTables& valueTables()
{
    static tValueTables tables;
    return tables;
}

void clearValueTables()
{
    tValueTables& t = valueTables();
    for (tLogoTab* table : {&t.string, &t.integer, &t.real, &t.boolean, &t.list})
        table->Clear();
}

void registerValueProc(tLogoTab& table, std::string_view internalName, int32_t inputs, tValueProc proc,
                       uint8_t elementType)
{
    for (tNameCode code : Aliases(internalName))
        table.Add(new tPasProcRoot(code, inputs, proc, elementType));
}

void registerValueOperator(tLogoTab& table, std::string_view symbol, int32_t inputs, tValueProc proc,
                           uint8_t elementType)
{
    table.Add(new tPasProcRoot(Intern(symbol), inputs, proc, elementType));
}

void tLogoString::InitMethodTable()
{
    methodTable = &valueTables().string;
}

void tLogoInt::InitMethodTable()
{
    methodTable = &valueTables().integer;
}

void tLogoReal::InitMethodTable()
{
    methodTable = &valueTables().real;
}

void tLogoBool::InitMethodTable()
{
    methodTable = &valueTables().boolean;
}

void tLogoList::InitMethodTable()
{
    methodTable = &valueTables().list;
}

} // namespace zembrio
