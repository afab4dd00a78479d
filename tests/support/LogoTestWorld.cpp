#include "tests/support/LogoTestWorld.h"

#include "core/ValueSettings.h"
#include "core/YieldPoint.h"
#include "runtime/Registration.h"
#include "runtime/Vocabulary.h"
#include "platform/ProcessStack.h"

namespace zembrio::testing {

namespace {

tLogoTestWorld* gWorld = nullptr;
int32_t gStepsLeft = 0;

void countStep(tProcessState&)
{
    if (--gStepsLeft < 0)
        throw eTerminateException(0); // as a stop request would end the run
}

std::string text(tlogoobject* v)
{
    std::string out;
    if (v)
        v->PrintForm(false, out);
    return out;
}

// The sum of the inputs: an integer while every input is one and the total fits, else a real.
tlogoobject* sumOf(tArgs& a)
{
    int64_t whole = 0;
    long double real = 0;
    bool integral = true;
    for (int i = 0; i < a.count(); ++i) {
        integral = integral && a[i]->IsInteger();
        real += a[i]->AsReal();
        if (integral)
            whole += a[i]->AsInteger();
    }
    if (integral && whole >= INT32_MIN && whole <= INT32_MAX)
        return makeInt(static_cast<int32_t>(whole));
    return makeReal(real);
}

void registerMain(tRootObject& root, std::string_view name, int32_t inputs, bool variable, tMainProc proc,
                  uint8_t type = etFun)
{
    for (tNameCode code : Aliases(name))
        root.methodTable->Add(new tMainPasProcDesc(code, inputs, variable, proc, type));
}

// Runs a list argument as instructions; the stop flag it leaves is the caller's to see.
void runListInput(tArgs& args, int index)
{
    RunList(args.ps, args[index]->Compile(kCompileInstructions));
}

} // namespace

tLogoTestWorld& world()
{
    return *gWorld;
}

tLogoTestWorld::tLogoTestWorld()
{
    gWorld = this;
    for (auto [key, spellings] : std::initializer_list<std::pair<const char*, const char*>>{
             {"print", "print pr"}, {"sum", "sum"}, {"forward", "forward fd"}, {"output", "output op"},
             {"stop", "stop"}, {"make", "make"}, {"repeat", "repeat"}, {"run", "run"}, {"if", "if"},
             {"first", "first"}, {"thing", "thing"}, {"div", "div"}, {"mod", "mod"}, {"quotient", "quotient"},
             {"difference", "difference"}, {"random", "random"}, {"abs", "abs"}, {"int", "int"},
             {"round", "round"}, {"sin", "sin"}, {"cos", "cos"}, {"tan", "tan"}, {"arctan", "arctan"},
             {"exp", "exp"}, {"ln", "ln"}, {"sqrt", "sqrt"}, {"bitnot", "bitnot"}, {"less?", "less?"},
             {"greater?", "greater?"}, {"any", "any"}, {"show", "show"}}) {
        dict.setProject("dict", key, spellings);
    }
    // The list and word operations, under their own names.
    for (const char* key : {"count", "butfirst", "last", "butlast", "fput", "lput", "shuffle", "sort", "pick",
                            "reverse", "item", "deepitem", "butitem", "replace", "deepreplace", "butmember",
                            "member?", "member", "frommember", "not", "vectorangle", "rotate", "randompos", "!",
                            "char", "ascii"}) {
        dict.setProject("dict", key, key);
    }
    dict.setProject("other", "to", "to");
    dict.setProject("other", "end", "end");
    dict.setProject("param", "define", "define");
    dict.setProject("param", "common", "common");
    dict.setProject("param", "event", "event");
    setDictionary(&dict);
    BuildVocabulary();
    m_scope.emplace(ps);
    fillValuePools();
    ps.currentObject = &root;
    registerPrimitives();
}

tLogoTestWorld::~tLogoTestWorld()
{
    ps.stack.Clear();
    globalVariables().RemoveAllUser(0);
    m_scope.reset();
    setDictionary(nullptr);
    gValueSettings = tValueSettings{}; // the language's words go with the world
    setYieldHandler(nullptr);
    gWorld = nullptr;
}

void tLogoTestWorld::setStepBudget(int32_t budget)
{
    gStepsLeft = budget;
    setYieldHandler(budget > 0 ? countStep : nullptr);
    if (budget > 0)
        ps.attention.fetch_or(kAttentionHook);
    else
        ps.attention.fetch_and(uint8_t(~kAttentionHook));
}

void tLogoTestWorld::registerPrimitives()
{
    registerMain(root, "print", 1, true, [](tArgs& a) -> tlogoobject* {
        for (int i = 0; i < a.count(); ++i) {
            if (i > 0)
                world().output += ' ';
            world().output += text(a[i]);
        }
        world().output += "\n";
        return nullptr;
    }, etIfFun);
    // show: lists keep their brackets, so [] and the empty word differ.
    registerMain(root, "show", 1, false, [](tArgs& a) -> tlogoobject* {
        std::string out;
        if (a[0])
            a[0]->PrintForm(true, out);
        world().output += out + "\n";
        return nullptr;
    }, etIfFun);
    registerMain(root, "sum", 2, true, sumOf);
    registerMain(root, "forward", 1, false, [](tArgs& a) -> tlogoobject* {
        world().output += "fd " + text(a[0]) + "\n";
        return nullptr;
    });
    registerMain(root, "make", 2, false, [](tArgs& a) -> tlogoobject* {
        a.ps.locals->SetValue(a[0]->AsNameCode(), a[1]);
        return nullptr;
    });
    registerMain(root, "thing", 1, false, [](tArgs& a) -> tlogoobject* {
        return a.ps.locals->GetValue(a[0]->AsNameCode());
    });
    registerMain(root, "run", 1, false, [](tArgs& a) -> tlogoobject* {
        runListInput(a, 0);
        return nullptr;
    });
    registerMain(root, "repeat", 2, false, [](tArgs& a) -> tlogoobject* {
        const int32_t times = a[0]->AsInteger();
        for (int32_t i = 0; i < times && !a.ps.stopFlag; ++i)
            runListInput(a, 1);
        return nullptr;
    });
    registerMain(root, "if", 2, false, [](tArgs& a) -> tlogoobject* {
        if (a[0]->AsBool())
            runListInput(a, 1);
        return nullptr;
    }, etIfFun);
    // The real families: operators, number, word and list operations, output and stop.
    registerValueOperations(*root.methodTable);
    registerControlFlow(*root.methodTable);
}

tOutcome tLogoTestWorld::run(std::string_view instructions)
{
    tOutcome outcome;
    // Logo runs on a thread with a process-sized stack, as every process does.
    runOnProcessStack([&] {
        tProcessScope scope(ps);
        outcome = runHere(instructions);
    });
    return outcome;
}

tOutcome tLogoTestWorld::runHere(std::string_view instructions)
{
    output.clear();
    tOutcome outcome;
    const int32_t height = ps.stack.count();
    ps.locals->PushEmptyFrame();
    try {
        RunText(ps, instructions);
    } catch (eLogoException& e) {
        outcome.error = e.number;
        outcome.culprit = FillPlaceholders(e, "#h");
        outcome.primitive = e.primitiveName;
        outcome.bounds = FillPlaceholders(e, "#a #b");
        outcome.procedure = FillPlaceholders(e, "#P");
        outcome.line = e.line;
    } catch (const eTerminateException&) {
        outcome.error = errrr; // stands for "stopped by the budget" in these tests
    }
    // What a process does when its top-level run ends: nothing may stay behind.
    ps.stack.DropTo(height);
    release(std::exchange(ps.outputSlot, nullptr));
    AbandonTailCall(ps);
    ps.stopFlag = 0;
    ps.clearStopRequest();
    ps.locals->PopFrame();
    outcome.output = output;
    return outcome;
}

void tLogoTestWorld::define(std::string_view procedures)
{
    size_t start = 0;
    while (start < procedures.size()) {
        size_t end = procedures.find("\nend", start);
        end = end == std::string_view::npos ? procedures.size() : end + 4;
        std::string_view one = procedures.substr(start, end - start);
        const size_t first = one.find_first_not_of(" \n");
        if (first != std::string_view::npos)
            DefineFromText(&root, one.substr(first));
        start = end;
    }
}

std::string tLogoTestWorld::eval(std::string_view expression)
{
    tValue word(makeWord(expression));
    tValue result = EvalList(ps, word->Compile(kCompileInstructions));
    return text(result.get());
}

} // namespace zembrio::testing
