#include "runtime/Registration.h"

#include "core/MethodTable.h"

namespace zembrio {

void registerEachSpelling(tLogoTab& table, std::string_view key,
                          const std::function<tTabDesc*(tNameCode)>& make)
{
    for (tNameCode code : Aliases(key))
        table.Add(make(code));
}

void registerMain(tLogoTab& table, std::string_view key, int32_t inputs, bool variable, tMainProc proc,
                  uint8_t elementType)
{
    registerEachSpelling(table, key, [&](tNameCode code) {
        return new tMainPasProcDesc(code, inputs, variable, proc, elementType);
    });
}

void registerMainUntranslated(tLogoTab& table, std::string_view name, int32_t inputs, bool variable,
                              tMainProc proc, uint8_t elementType)
{
    table.Add(new tMainPasProcDesc(Intern(name), inputs, variable, proc, elementType));
}

} // namespace zembrio
