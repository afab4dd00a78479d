#include "runtime/Vocabulary.h"

#include "core/CodeTable.h"
#include "core/ListPrimitives.h"
#include "core/MethodTable.h"
#include "core/NameTable.h"
#include "core/NumberPrimitives.h"
#include "core/ValueTables.h"

namespace zembrio {

void BuildVocabulary()
{
    ResetNames();
    BuildCodeTable();
    clearValueTables();
    const bool wasRegistering = registeringBuiltins();
    setRegisteringBuiltins(true);
    registerNumberPrimitives(valueTables());
    registerWordPrimitives(valueTables());
    registerListPrimitives(valueTables());
    setRegisteringBuiltins(wasRegistering);
}

} // namespace zembrio
