// The main object's word, number and list operations: each dispatches to the class of one input value.
#include "core/Dispatchers.h"
#include "runtime/Registration.h"

namespace zembrio {

namespace {

// Where a dispatched operation finds its receiver: the value it works on (the list or word; for the
// number operations the first operand). The inputs keep the order a user writes them; the value-table
// procedure gets the receiver apart and the other inputs in that same order.
enum class tReceiver {
    First,  // tObjectProc1Desc
    Last,   // tObjectProcEndDesc
    Second, // tObjectProcNDesc: the second of three inputs ("replace index list value")
};

struct tDispatched {
    const char* key;
    int32_t inputs;
    tReceiver receiver;
    uint8_t elementType = etFun;
};

// The one table of receivers. As written by a user:
//   count list          item index list          replace index list value
//   fput item list      member? item list        deepreplace path list value
//   rotate points angle vectorangle from to      char code
constexpr tDispatched kDispatched[] = {
    // One input: the receiver is that input.
    {"count", 1, tReceiver::First},
    {"first", 1, tReceiver::First},
    {"butfirst", 1, tReceiver::First},
    {"last", 1, tReceiver::First},
    {"butlast", 1, tReceiver::First},
    {"shuffle", 1, tReceiver::First},
    {"sort", 1, tReceiver::First},
    {"pick", 1, tReceiver::First},
    {"reverse", 1, tReceiver::First},
    {"ascii", 1, tReceiver::First},
    {"char", 1, tReceiver::First},
    {"randompos", 1, tReceiver::First},
    {"!", 1, tReceiver::First},
    {"not", 1, tReceiver::Last, etIfFun},
    {"random", 1, tReceiver::First},
    {"abs", 1, tReceiver::First},
    {"int", 1, tReceiver::First},
    {"round", 1, tReceiver::First},
    {"sin", 1, tReceiver::First},
    {"cos", 1, tReceiver::First},
    {"tan", 1, tReceiver::First},
    {"arctan", 1, tReceiver::First},
    {"exp", 1, tReceiver::First},
    {"ln", 1, tReceiver::First},
    {"sqrt", 1, tReceiver::First},
    {"bitnot", 1, tReceiver::First},
    // The value first, as in arithmetic.
    {"quotient", 2, tReceiver::First},
    {"difference", 2, tReceiver::First},
    {"div", 2, tReceiver::First},
    {"mod", 2, tReceiver::First},
    {"less?", 2, tReceiver::First},
    {"greater?", 2, tReceiver::First},
    {"vectorangle", 2, tReceiver::First},
    {"rotate", 2, tReceiver::First},
    // What to put, find or select first, the list or word last.
    {"fput", 2, tReceiver::Last},
    {"lput", 2, tReceiver::Last},
    {"item", 2, tReceiver::Last},
    {"deepitem", 2, tReceiver::Last},
    {"butitem", 2, tReceiver::Last},
    {"butmember", 2, tReceiver::Last},
    {"member?", 2, tReceiver::Last},
    {"member", 2, tReceiver::Last},
    {"frommember", 2, tReceiver::Last},
    // The selection, the list or word, the new value.
    {"replace", 3, tReceiver::Second},
    {"deepreplace", 3, tReceiver::Second},
};

tTabDesc* makeDispatcher(const tDispatched& op, tNameCode code)
{
    switch (op.receiver) {
    case tReceiver::First:
        return new tObjectProc1Desc(code, op.inputs, false, op.elementType);
    case tReceiver::Last:
        return new tObjectProcEndDesc(code, op.inputs, false, op.elementType);
    case tReceiver::Second:
        break;
    }
    return new tObjectProcNDesc(code, op.inputs, false, 1, op.elementType); // depth 0 is the last input
}

} // namespace

void registerValueOperations(tLogoTab& table)
{
    // Operators are symbols, the same in every language (a dictionary key cannot hold "="). Infix operators
    // work on their left operand.
    for (const char* symbol : {"+", "-"})
        table.Add(new tObjectProc1Desc(Intern(symbol), 2, false, etAddOp));
    for (const char* symbol : {"*", "/"})
        table.Add(new tObjectProc1Desc(Intern(symbol), 2, false, etMulOp));
    for (const char* symbol : {"<", ">", "<=", ">=", "=", "<>"})
        table.Add(new tObjectProc1Desc(Intern(symbol), 2, false, etRelOp));
    for (const char* symbol : {"<unary ->", "<unary +>"})
        table.Add(new tObjectProcEndDesc(Intern(symbol), 1, false, etUnOp));

    for (const tDispatched& op : kDispatched)
        registerEachSpelling(table, op.key, [&](tNameCode code) { return makeDispatcher(op, code); });
}

} // namespace zembrio
