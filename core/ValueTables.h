// The five method tables of plain values: strings, integers, reals, booleans and lists. Each value class
// answers its primitives through its own table; the main object's dispatchers reach them.
#pragma once

#include "core/Descriptors.h"

#include <string_view>

namespace zembrio {

struct tValueTables {
    tLogoTab string{nullptr, true};
    tLogoTab integer{nullptr, true};
    tLogoTab real{nullptr, true};
    tLogoTab boolean{nullptr, true};
    tLogoTab list{nullptr, true};
};

// Live for the whole run; refilled at each language load (name codes change with the language).
tValueTables& valueTables();
// Empties all five, before they are filled for a new language.
void clearValueTables();

// Registers a value primitive under every spelling of its internal name.
void registerValueProc(tLogoTab& table, std::string_view internalName, int32_t inputs, tValueProc proc,
                       uint8_t elementType = etFun);
// Registers an operator under its symbol alone ("+", "<unary ->").
void registerValueOperator(tLogoTab& table, std::string_view symbol, int32_t inputs, tValueProc proc,
                           uint8_t elementType);

} // namespace zembrio
