// Registering global primitives in a method table (the main object's): under every spelling the
// language gives the key, or under the key itself for the few names that are the same in every language.
#pragma once

#include "core/Descriptors.h"
#include "core/ProcessState.h"

#include <functional>
#include <string_view>

namespace zembrio {

// A built-in with a default input count; variable: any number inside parentheses.
void registerMain(tLogoTab& table, std::string_view key, int32_t inputs, bool variable, tMainProc proc,
                  uint8_t elementType = etFun);
// The same under the key as it stands (not translated).
void registerMainUntranslated(tLogoTab& table, std::string_view name, int32_t inputs, bool variable,
                              tMainProc proc, uint8_t elementType = etFun);
// Any descriptor, once per spelling of the key; make builds it for one code.
void registerEachSpelling(tLogoTab& table, std::string_view key,
                          const std::function<tTabDesc*(tNameCode)>& make);

// The families of global primitives, registered in the catalogue's order.
void registerValueOperations(tLogoTab& table);
void registerValueConstructors(tLogoTab& table);
void registerControlFlow(tLogoTab& table);
void registerProcedureInputs(tLogoTab& table);
void registerDefinitions(tLogoTab& table);
void registerCatchThrow(tLogoTab& table);
void registerVariables(tLogoTab& table);
void registerWait(tLogoTab& table);
void registerProcessPrimitives(tLogoTab& table);
void registerInertPrimitives(tLogoTab& table);
void registerSystemServices(tLogoTab& table);
void registerTextOutput(tLogoTab& table);

} // namespace zembrio

