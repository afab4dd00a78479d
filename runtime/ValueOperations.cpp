// The main object's word, number and list operations: each dispatches to the class of one input value.
#include "core/Dispatchers.h"
#include "runtime/Registration.h"

namespace zembrio {

void registerValueOperations(tLogoTab& table)
{
    // Operators are symbols, the same in every language (a dictionary key cannot hold "=").
    for (const char* symbol : {"+", "-"})
        table.Add(new tObjectProc1Desc(Intern(symbol), 2, false, etAddOp));
    for (const char* symbol : {"*", "/"})
        table.Add(new tObjectProc1Desc(Intern(symbol), 2, false, etMulOp));
    for (const char* symbol : {"<", ">", "<=", ">=", "=", "<>"})
        table.Add(new tObjectProc1Desc(Intern(symbol), 2, false, etRelOp));
    for (const char* symbol : {"<unary ->", "<unary +>"})
        table.Add(new tObjectProcEndDesc(Intern(symbol), 1, false, etUnOp));

    // Named operations on the first input, by their number of inputs.
    const struct {
        const char* key;
        int32_t inputs;
    } named[] = {
        {"quotient", 2}, {"difference", 2}, {"random", 1}, {"abs", 1},  {"int", 1},   {"round", 1},
        {"sin", 1},      {"cos", 1},        {"tan", 1},    {"arctan", 1}, {"exp", 1}, {"ln", 1},
        {"sqrt", 1},     {"bitnot", 1},     {"less?", 2},  {"greater?", 2}, {"div", 2}, {"mod", 2},
    };
    for (const auto& op : named)
        registerEachSpelling(table, op.key, [&](tNameCode code) { return new tObjectProc1Desc(code, op.inputs, false); });
}

} // namespace zembrio
