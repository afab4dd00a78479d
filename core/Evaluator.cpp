#include "core/Evaluator.h"

#include "core/LogoException.h"
#include "core/LogoValues.h"
#include "core/ValuePools.h"
#include "core/VariableTables.h"
#include "core/YieldPoint.h"

namespace zembrio {

namespace {

// Codes of the names the evaluator itself needs, interned again after each language load.
struct tEvaluatorCodes {
    uint32_t generation = 0;
    tNameCode minus = 0, unaryMinus = 0, unaryPlus = 0, defaultAction = 0;
};

const tEvaluatorCodes& evaluatorCodes()
{
    thread_local tEvaluatorCodes codes;
    if (codes.generation != NameGeneration()) {
        codes.minus = Intern("-");
        codes.unaryMinus = Intern("<unary ->");
        codes.unaryPlus = Intern("<unary +>");
        codes.defaultAction = Intern("\xB7" "defaultaction");
        codes.generation = NameGeneration();
    }
    return codes;
}

// Counts nested list runs; with `level` also the lists entered since the procedure began.
class tDepthGuard {
public:
    tDepthGuard(tProcessState& ps, bool level) : m_ps(ps), m_level(level)
    {
        ++ps.callDepth;
        if (level)
            ++ps.listLevel;
    }
    ~tDepthGuard()
    {
        --m_ps.callDepth;
        if (m_level)
            --m_ps.listLevel;
    }

private:
    tProcessState& m_ps;
    bool m_level;
};

// A call through an object prefix runs with that object as the current one.
class tTargetScope {
public:
    tTargetScope(tProcessState& ps, tlogoobject* target) : m_ps(ps), m_target(target)
    {
        if (!target)
            return;
        m_savedObject = ps.currentObject;
        m_savedTable = ps.currentTable;
        ps.currentObject = target;
        ps.currentTable = nullptr;
    }
    ~tTargetScope()
    {
        if (!m_target)
            return;
        m_ps.currentObject = m_savedObject;
        m_ps.currentTable = m_savedTable;
    }

private:
    tProcessState& m_ps;
    tlogoobject* m_target;
    tlogoobject* m_savedObject = nullptr;
    tLogoTab* m_savedTable = nullptr;
};

struct tCall {
    tProcDesc* desc;
    tlogoobject* target;
    tLogoTab* context;
    const tElement* nameElement;
};

[[noreturn]] void wrongSequence(const tElement* el)
{
    if (el->code != 0)
        throw eLogoException::withCulpritCode(erWrongSequence, el->code);
    throw eLogoException(erWrongSequence);
}

[[noreturn]] void namedError(errorConst number, const tProcDesc* p)
{
    eLogoException e = eLogoException::withCulpritCode(number, p->code);
    e.primitiveName = NameOf(p->code);
    throw e;
}

// One walk over a compiled array.
class tRun {
public:
    tRun(tProcessState& ps, tCompiledArray* array) : ps(ps), begin(array->elements.data()), el(begin) {}

    tProcessState& ps;
    tElement* const begin;
    tElement* el;

    bool instruction();
    void comparison();

private:
    void additive();
    void multiplicative();
    void term();
    void input(bool full);

    tCall resolve();
    [[gnu::noinline]] tCall resolveInGeneral(); // object prefixes, "usual", default actions, errors
    tCall resolveOperator();
    int32_t collectInputs(const tCall& call);
    void callValue(const tCall& call, int32_t n);
    bool callCommand(const tCall& call, int32_t n);
    void pushVariable(tNameCode code) { ps.stack.Push(ps.locals->GetValue(code)); }
};

// Most inputs are a lone variable or constant: pushed here, without the three levels of the expression
// walk, which would find no operator after it and do the same.
void tRun::input(bool full)
{
    const uint8_t kind = el->kind;
    if (kind == etVariable || kind == etConst) {
        const uint8_t next = el[1].kind; // there is one: the array ends with etEnd
        if (next != etMulOp && next != etAddOp && (!full || next != etRelOp)) {
            if (kind == etVariable)
                pushVariable(el->code);
            else
                ps.stack.Push(el->value);
            ++el;
            return;
        }
    }
    if (full)
        comparison();
    else
        additive();
}

tCall tRun::resolve()
{
    // The common case first, in a frame of its own: a plain name the current object answers.
    if (el->kind == etUnknownOp && ps.currentObject) {
        tLogoTab* context = nullptr;
        tTabDesc* found = ps.currentObject->LookupProc(el->code, context);
        if (tProcDesc* proc = found ? found->AsProc() : nullptr)
            return {proc, nullptr, context, el};
    }
    return resolveInGeneral();
}

tCall tRun::resolveInGeneral()
{
    tLogoTab* context = nullptr;
    tlogoobject* target = nullptr;
    tlogoobject* lookupObject = ps.currentObject;
    tTabDesc* found = nullptr;
    if (el->kind == etObjectPrefixFun) {
        // Each prefix names an object as seen from the one before it.
        tlogoobject* object = ps.currentObject;
        for (; el->kind == etObjectPrefixFun; ++el) {
            tlogoobject* next = object ? object->ObjectNamed(el->code) : nullptr;
            if (!next)
                throw eLogoException::withCulpritCode(erNoObject, el->code);
            object = next;
        }
        target = lookupObject = object;
        tLogoTab* savedTable = std::exchange(ps.currentTable, nullptr);
        try {
            found = object->LookupProc(el->code, context);
        } catch (...) {
            ps.currentTable = savedTable;
            throw;
        }
        ps.currentTable = savedTable;
    } else if (el->kind == etUsualPrefix) {
        ++el;
        context = ps.usualContext;
        if (!ps.currentObject)
            throw eLogoException::withCulpritCode(erUsual, el->code);
        found = ps.currentObject->LookupUsual(context, el->code);
    } else if (ps.currentObject) {
        found = ps.currentObject->LookupProc(el->code, context);
    }
    tProcDesc* proc = found ? found->AsProc() : nullptr;
    if (!proc && lookupObject) {
        // An object's name alone runs its default action.
        tlogoobject* named = lookupObject->ObjectNamed(el->code);
        if (named && named->AnswersDefaultAction()) {
            tTabDesc* action = named->LookupProc(evaluatorCodes().defaultAction, context);
            proc = action ? action->AsProc() : nullptr;
            target = named;
        }
    }
    if (!proc)
        throw eLogoException::withCulpritCode(erDoNotKnowHowTo, el->code);
    return {proc, target, context, el};
}

tCall tRun::resolveOperator()
{
    tLogoTab* context = nullptr;
    tTabDesc* found = ps.currentObject ? ps.currentObject->LookupProc(el->code, context) : nullptr;
    tProcDesc* proc = found ? found->AsProc() : nullptr;
    if (!proc)
        throw eLogoException::withCulpritCode(erDoNotKnowHowTo, el->code);
    return {proc, nullptr, context, el};
}

int32_t tRun::collectInputs(const tCall& call)
{
    const tProcDesc* p = call.desc;
    const bool full = p->elementType == etIfFun;
    int32_t n = 0;
    ++el;
    try {
        if (p->variableInputs && call.nameElement->afterParen) {
            while (el->kind != etRpar && el->kind != etEnd && (full || el->kind != etRelOp)) {
                input(full);
                ++n;
            }
        } else {
            for (; n < p->inputCount; ++n) {
                if (el->kind == etEnd)
                    namedError(erNotEnoughInputs, p);
                input(full);
            }
        }
    } catch (eLogoException& e) {
        // The procedure that wanted the input is the one to name.
        if (e.number == erDidNotReport)
            e.primitiveName = NameOf(p->code);
        throw;
    }
    return n;
}

void tRun::callValue(const tCall& call, int32_t n)
{
    tProcDesc* p = call.desc;
    if (p->kind != pkOrdinary)
        namedError(erDidNotReport, p);
    ps.lookupContext = call.context;
    {
        tTargetScope scope(ps, call.target);
        try {
            p->ValueEntry(ps, n);
        } catch (eLogoException& e) {
            SetPrimitiveIfEmpty(e, p->code);
            throw;
        } catch (const eOutputException&) {
            namedError(erDidNotReport, p);
        }
    }
    if (ps.tailPending() || ps.stack.Top() == nullptr) {
        AbandonTailCall(ps);
        ps.stopFlag = 0;
        namedError(erDidNotReport, p);
    }
}

bool tRun::callCommand(const tCall& call, int32_t n)
{
    tProcDesc* p = call.desc;
    if (p->kind == pkOutput) {
        ps.stack.PopInto(ps.outputSlot); // the slot takes over the stack's reference
        ps.stopFlag = 1;
        return true;
    }
    if (p->kind == pkStop) {
        ps.stopFlag = 1;
        return true;
    }
    // The last call of a procedure body's own list becomes a tail call, run by the caller's trampoline.
    if (el->kind == etEnd && ps.listLevel == 1 && !call.target && p->userProcedure) {
        ps.tailDesc = p;
        ps.tailContext = call.context;
        ps.tailCount = n;
        ps.stopFlag = 1;
        return true;
    }
    ps.lookupContext = call.context;
    {
        tTargetScope scope(ps, call.target);
        try {
            p->CommandEntry(ps, n);
        } catch (eLogoException& e) {
            SetPrimitiveIfEmpty(e, p->code);
            throw;
        }
    }
    if (ps.stopFlag) {
        if (ps.tailPending())
            Trampoline(ps);
        if (ps.stopFlag)
            return true;
    }
    ps.stack.PopNil();
    return false;
}

bool tRun::instruction()
{
    switch (el->kind) {
    case etLpar: {
        ++el;
        if (instruction())
            return true;
        if (el->kind != etRpar)
            throw eLogoException(erMissingRpar);
        ++el;
        return false;
    }
    case etVariable:
        pushVariable(el->code);
        ++el;
        ps.stack.PopNil();
        return false;
    case etConst:
        ps.stack.Push(el->value);
        ++el;
        ps.stack.PopNil();
        return false;
    case etUnknownOp:
    case etObjectPrefixFun:
    case etUsualPrefix: {
        const tCall call = resolve();
        const int32_t n = collectInputs(call);
        return callCommand(call, n);
    }
    default:
        wrongSequence(el);
    }
}

void tRun::comparison()
{
    additive();
    if (el->kind == etRelOp) {
        const tCall op = resolveOperator();
        ++el;
        additive();
        callValue(op, 2);
    }
}

void tRun::additive()
{
    multiplicative();
    while (el->kind == etAddOp) {
        const tCall op = resolveOperator();
        ++el;
        multiplicative();
        callValue(op, 2);
    }
}

void tRun::multiplicative()
{
    term();
    while (el->kind == etMulOp) {
        const tCall op = resolveOperator();
        ++el;
        term();
        callValue(op, 2);
    }
}

void tRun::term()
{
    switch (el->kind) {
    case etVariable:
        pushVariable(el->code);
        ++el;
        return;
    case etConst:
        ps.stack.Push(el->value);
        ++el;
        return;
    case etLpar:
        ++el;
        comparison();
        if (el->kind != etRpar)
            throw eLogoException(erMissingRpar);
        ++el;
        return;
    case etAddOp: {
        // A sign: the element becomes a prefix operator for good.
        const tEvaluatorCodes& codes = evaluatorCodes();
        el->code = el->code == codes.minus ? codes.unaryMinus : codes.unaryPlus;
        el->kind = etUnOp;
        [[fallthrough]];
    }
    case etUnOp: {
        const tCall op = resolveOperator();
        ++el;
        term();
        callValue(op, 1);
        return;
    }
    case etUnknownOp:
    case etObjectPrefixFun:
    case etUsualPrefix: {
        const tCall call = resolve();
        const int32_t n = collectInputs(call);
        callValue(call, n);
        return;
    }
    default:
        wrongSequence(el);
    }
}

// The common start of a list run: changed flag, yield point, depth limit.
void enterList(tProcessState& ps)
{
    if (ps.marksChanged)
        gProjectChanged.store(true, std::memory_order_relaxed);
    yieldPoint(ps);
    if (ps.callDepth > kMaxCallDepth)
        throw eLogoException(erStackOverflow);
}

int32_t indexOf(const tRun& run, const tElement* el)
{
    return static_cast<int32_t>(el - run.begin) + 1;
}

} // namespace

void RunList(tProcessState& ps, tCompiledArray* array)
{
    enterList(ps);
    tArrayRef keep(array); // the list may be redefined or freed while it runs
    tDepthGuard depth(ps, true);
    tRun run(ps, array);
    const tElement* start = run.el;
    try {
        while (run.el->kind != etEnd) {
            start = run.el;
            if (run.instruction())
                break;
        }
    } catch (eLogoException& e) {
        AddTrail(e, indexOf(run, start));
        throw;
    }
}

tValue EvalList(tProcessState& ps, tCompiledArray* array)
{
    enterList(ps);
    tArrayRef keep(array);
    tDepthGuard depth(ps, false);
    tRun run(ps, array);
    const tElement* start = run.el;
    try {
        run.comparison();
        if (run.el->kind != etEnd) {
            // A second expression has nobody to take its value.
            start = run.el;
            run.comparison();
            ps.stack.PopNil();
        }
    } catch (eLogoException& e) {
        AddTrail(e, indexOf(run, start));
        throw;
    }
    return tValue::adopt(ps.stack.PopTransfer());
}

void RunText(tProcessState& ps, std::string_view text)
{
    tValue word(makeWord(text));
    RunInstructions(ps, word.get());
}

void RunInstructions(tProcessState& ps, tlogoobject* instructions)
{
    tValue hold(instructions);
    RunList(ps, instructions->Compile(kCompileInstructions));
}

tValue EvaluateInstructions(tProcessState& ps, tlogoobject* instructions)
{
    tValue hold(instructions);
    return EvalList(ps, instructions->Compile(kCompileInstructions));
}

void AbandonTailCall(tProcessState& ps)
{
    if (!ps.tailPending())
        return;
    ps.clearTail();
    ps.locals->PopFrame();
    ps.testState = ps.tailTestState;
}

void Trampoline(tProcessState& ps)
{
    const int8_t savedTest = ps.tailTestState;
    try {
        do {
            tProcDesc* p = ps.tailDesc;
            const int32_t n = ps.tailCount;
            ps.lookupContext = ps.tailContext;
            ps.clearTail();
            ps.stopFlag = 0;
            p->TailEntry(ps, n);
        } while (ps.stopFlag && ps.tailPending());
    } catch (...) {
        ps.clearTail();
        ps.locals->PopFrame();
        ps.testState = savedTest;
        throw;
    }
    ps.locals->PopFrame();
    ps.testState = savedTest;
}

} // namespace zembrio
