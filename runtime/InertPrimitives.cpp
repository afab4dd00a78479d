// Primitives that exist for every project but have nothing to act on here: the main object cannot be
// destroyed or homed, and this runtime has no hardware ports and no printer.
#include "core/ValuePools.h"
#include "runtime/Registration.h"

namespace zembrio {

namespace {

tlogoobject* nothing(tArgs&)
{
    return nullptr;
}

tlogoobject* portReadsZero(tArgs& args)
{
    args[0]->AsInteger(); // the port number must still be a number
    return makeInt(0);
}

tlogoobject* portWriteIgnored(tArgs& args)
{
    args[0]->AsInteger();
    return nullptr;
}

} // namespace

void registerInertPrimitives(tLogoTab& table)
{
    for (const char* key : {"destroy", "home", "changeme"})
        registerMain(table, key, 0, false, nothing);
    // The same in every language.
    for (const char* name : {"in", "inW", "inD"})
        registerMainUntranslated(table, name, 1, false, portReadsZero);
    for (const char* name : {"out", "outW", "outD"})
        registerMainUntranslated(table, name, 2, false, portWriteIgnored);
    registerMainUntranslated(table, "startPrintJob", 0, true, nothing);
    registerMainUntranslated(table, "endPrintJob", 0, false, nothing);
}

} // namespace zembrio
