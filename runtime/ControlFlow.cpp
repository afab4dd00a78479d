// Control flow: loops, conditionals, "case", "run", and the logical connectives. Every list they run
// passes the evaluator's yield point, so each iteration lets other processes in and notices a stop.
#include "core/CompiledArray.h"
#include "core/DictionaryLookup.h"
#include "core/Evaluator.h"
#include "core/LogoException.h"
#include "core/LogoValues.h"
#include "core/LoopScope.h"
#include "core/ValuePools.h"
#include "core/VariableTables.h"
#include "runtime/Registration.h"

namespace zembrio {

namespace {

bool isTrue(tProcessState& ps, tlogoobject* condition)
{
    // A list condition is evaluated at the moment it is needed.
    if (condition->IsList())
        return EvaluateInstructions(ps, condition)->AsBool();
    return condition->AsBool();
}

tlogoobject* repeat(tArgs& a)
{
    const int32_t times = a[0]->AsInteger();
    tRepeatCounterScope counter(a.ps, 0);
    for (int32_t i = 1; i <= times; ++i) {
        a.ps.repeatCounter = i;
        RunInstructions(a.ps, a[1]);
        if (a.ps.stopFlag)
            break;
    }
    return nullptr;
}

tlogoobject* repcount(tArgs& a)
{
    if (a.ps.repeatCounter == 0)
        throw eLogoException(erWrongPlaceRepc);
    return makeInt(a.ps.repeatCounter);
}

tlogoobject* whileLoop(tArgs& a)
{
    tRepeatCounterScope counter(a.ps, 0);
    for (;;) {
        ++a.ps.repeatCounter;
        if (!EvaluateInstructions(a.ps, a[0])->AsBool())
            break;
        RunInstructions(a.ps, a[1]);
        if (a.ps.stopFlag)
            break;
    }
    return nullptr;
}

tlogoobject* loop(tArgs& a)
{
    tRepeatCounterScope counter(a.ps, 0);
    while (!a.ps.stopFlag) {
        ++a.ps.repeatCounter;
        RunInstructions(a.ps, a[0]);
    }
    return nullptr;
}

tlogoobject* forLoop(tArgs& a)
{
    const tNameCode name = a[0]->AsNameCode();
    auto* control = valueCast<tLogoList>(a[1]);
    const int32_t parts = control ? control->count() : 0;
    if (parts != 2 && parts != 3)
        throw eLogoException(erBadStructure, a[1]);
    const long double from = control->first()->AsReal();
    const long double to = control->rest()->first()->AsReal();
    long double step = to > from ? 1 : -1;
    if (parts == 3) {
        step = control->rest()->rest()->first()->AsReal();
        if (step == 0)
            throw eLogoException(erBadStructure, a[1]);
    }
    tLoopVariableScope variable(a.ps, name);
    tRepeatCounterScope counter(a.ps, 0);
    // The loop keeps its own counter: the body may assign the variable without steering the loop.
    for (long double v = from; step > 0 ? v <= to : v >= to; v += step) {
        a.ps.locals->SetValue(name, tValue(makeReal(v)).get());
        ++a.ps.repeatCounter;
        RunInstructions(a.ps, a[2]);
        if (a.ps.stopFlag)
            break;
    }
    return nullptr;
}

tlogoobject* forEach(tArgs& a)
{
    a[1]->ForEach(a[0]->AsNameCode(), a[2]);
    return nullptr;
}

tlogoobject* waitUntil(tArgs& a)
{
    // Every evaluation passes the yield point: other processes run, and a stop request ends the wait.
    while (!EvaluateInstructions(a.ps, a[0])->AsBool()) {
    }
    return nullptr;
}

tlogoobject* ifThen(tArgs& a)
{
    if (a[0]->AsBool())
        RunInstructions(a.ps, a[1]);
    return nullptr;
}

tlogoobject* ifElseValue(tArgs& a)
{
    return handOver(EvaluateInstructions(a.ps, a[0]->AsBool() ? a[1] : a[2]));
}

tlogoobject* ifElseCommand(tArgs& a)
{
    RunInstructions(a.ps, a[0]->AsBool() ? a[1] : a[2]);
    return nullptr;
}

tlogoobject* test(tArgs& a)
{
    a.ps.testState = a[0]->AsBool() ? kTestTrue : kTestFalse;
    return nullptr;
}

void runIfTested(tArgs& a, int8_t wanted)
{
    if (a.ps.testState == kNoTest)
        throw eLogoException(erNotExecuted, primaryName("dict", "test"));
    if (a.ps.testState == wanted)
        RunInstructions(a.ps, a[0]);
}

tlogoobject* ifTrue(tArgs& a)
{
    runIfTested(a, kTestTrue);
    return nullptr;
}

tlogoobject* ifFalse(tArgs& a)
{
    runIfTested(a, kTestFalse);
    return nullptr;
}

// The clause whose key equals the value, or the default clause; nullptr when none.
tlogoobject* chosenClause(tArgs& a)
{
    if (!a[1]->IsList())
        throw eLogoException(erExpectList, a[1]);
    if (a[1]->IsEmpty())
        return nullptr;
    tCompiledArray* table = a[1]->Compile(kCompileCaseTable);
    tArrayRef keep(table);
    for (tLogoList* c = static_cast<tLogoList*>(table->elements[0].value); c && c->first(); c = c->rest()) {
        auto* clause = static_cast<tLogoList*>(c->first());
        if (!clause->rest())
            return clause->first(); // the default
        if (a[0]->IsEqual(clause->first()))
            return clause->rest()->first();
    }
    return nullptr;
}

tlogoobject* caseValue(tArgs& a)
{
    tValue chosen(chosenClause(a));
    return chosen ? handOver(EvaluateInstructions(a.ps, chosen.get())) : nullptr;
}

tlogoobject* caseCommand(tArgs& a)
{
    tValue chosen(chosenClause(a));
    if (chosen)
        RunInstructions(a.ps, chosen.get());
    return nullptr;
}

tlogoobject* runValue(tArgs& a)
{
    return handOver(EvaluateInstructions(a.ps, a[0]));
}

tlogoobject* runCommand(tArgs& a)
{
    RunInstructions(a.ps, a[0]);
    return nullptr;
}

tlogoobject* logicalAnd(tArgs& a)
{
    for (int32_t i = 0; i < a.count(); ++i)
        if (!isTrue(a.ps, a[i]))
            return makeBool(false);
    return makeBool(true);
}

tlogoobject* logicalOr(tArgs& a)
{
    for (int32_t i = 0; i < a.count(); ++i)
        if (isTrue(a.ps, a[i]))
            return makeBool(true);
    return makeBool(false);
}

tlogoobject* logicalXor(tArgs& a)
{
    bool parity = false;
    for (int32_t i = 0; i < a.count(); ++i)
        parity ^= isTrue(a.ps, a[i]);
    return makeBool(parity);
}

void registerValueAndCommand(tLogoTab& table, std::string_view key, int32_t inputs, tMainProc value,
                             tMainProc command, uint8_t elementType = etFun)
{
    registerEachSpelling(table, key, [&](tNameCode code) {
        return new tMainPasProcDescF(code, inputs, value, command, elementType);
    });
}

} // namespace

void registerControlFlow(tLogoTab& table)
{
    registerMain(table, "repeat", 2, false, repeat);
    registerMain(table, "repcount", 0, false, repcount);
    registerEachSpelling(table, "output", [](tNameCode code) { return new tOutput(code); });
    registerEachSpelling(table, "stop", [](tNameCode code) { return new tStop(code); });
    registerMain(table, "if", 2, false, ifThen, etIfFun);
    registerValueAndCommand(table, "ifelse", 3, ifElseValue, ifElseCommand, etIfFun);
    registerValueAndCommand(table, "run", 1, runValue, runCommand);
    registerMain(table, "while", 2, false, whileLoop);
    registerMain(table, "loop", 1, false, loop);
    registerMain(table, "for", 3, false, forLoop);
    registerMain(table, "foreach", 3, false, forEach);
    registerMain(table, "waituntil", 1, false, waitUntil);
    registerMain(table, "test", 1, false, test, etIfFun);
    registerMain(table, "iftrue", 1, false, ifTrue, etIfFun);
    registerMain(table, "iffalse", 1, false, ifFalse, etIfFun);
    registerValueAndCommand(table, "case", 2, caseValue, caseCommand);
    registerMain(table, "and", 2, true, logicalAnd, etIfFun);
    registerMain(table, "or", 2, true, logicalOr, etIfFun);
    registerMain(table, "xor", 2, true, logicalXor, etIfFun);
}

} // namespace zembrio
