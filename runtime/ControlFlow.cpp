// Control-flow primitives of the main object.
#include "runtime/Registration.h"

namespace zembrio {

void registerControlFlow(tLogoTab& table)
{
    registerEachSpelling(table, "output", [](tNameCode code) { return new tOutput(code); });
    registerEachSpelling(table, "stop", [](tNameCode code) { return new tStop(code); });
}

} // namespace zembrio
