#include "core/Descriptors.h"

#include "core/DictionaryLookup.h"
#include "core/LogoException.h"
#include "core/LogoValues.h"
#include "core/ProcessState.h"
#include "core/Stream.h"
#include "core/ValuePools.h"

namespace zembrio {

void tSaveContext::writeLine(const std::string& text, bool indented)
{
    if (indented)
        stream.WriteBuffer("\t", 1);
    stream.WriteBuffer(text.data(), text.size());
    stream.WriteBuffer("\r\n", 2);
}

tTabDesc::tTabDesc(tNameCode code_) : code(code_)
{
    if (registeringBuiltins())
        flags |= kDescSystem;
}

void tTabDesc::ValueText(std::string& out)
{
    out.clear();
}

void tTabDesc::Save(tSaveContext&, bool, int) {}

// --- procedures ---

tProcDesc::tProcDesc(tNameCode code_, int32_t inputCount_, bool variableInputs_, uint8_t elementType_)
    : tTabDesc(code_), inputCount(inputCount_), variableInputs(variableInputs_), elementType(elementType_)
{
    descKind = tDescKind::procedure;
}

void tProcDesc::unsupported(errorConst number)
{
    throw eLogoException::withCulpritCode(number, code);
}

void tProcDesc::Call(tProcessState&, int32_t)
{
    unsupported(erInternExecute);
}

void tProcDesc::DispatchedCall(tProcessState&, int32_t, tlogoobject*)
{
    unsupported(erInternExecute);
}

tArgs::tArgs(tProcessState& ps_, int32_t n) : ps(ps_), m_base(ps_.stack.TopItems(n)), m_n(n) {}

tMainPasProcDesc::tMainPasProcDesc(tNameCode code_, int32_t inputCount_, bool variableInputs_, tMainProc proc_,
                                   uint8_t elementType_)
    : tProcDesc(code_, inputCount_, variableInputs_, elementType_), proc(proc_)
{
}

void tMainPasProcDesc::Call(tProcessState& ps, int32_t n)
{
    tArgs args(ps, n);
    ps.stack.ReplaceTop(n, proc(args));
}

tMainPasProcDescF::tMainPasProcDescF(tNameCode code_, int32_t inputCount_, tMainProc valueProc_,
                                     tMainProc commandProc_, uint8_t elementType_)
    : tProcDesc(code_, inputCount_, false, elementType_), valueProc(valueProc_), commandProc(commandProc_)
{
}

void tMainPasProcDescF::run(tProcessState& ps, int32_t n, tMainProc proc)
{
    tArgs args(ps, n);
    ps.stack.ReplaceTop(n, proc(args));
}

tMainPasProcDescBF::tMainPasProcDescBF(tNameCode code_, int32_t inputCount_, tMainProcBF proc_,
                                       uint8_t elementType_)
    : tProcDesc(code_, inputCount_, true, elementType_), proc(proc_)
{
}

void tMainPasProcDescBF::run(tProcessState& ps, int32_t n, bool valueWanted)
{
    tArgs args(ps, n);
    ps.stack.ReplaceTop(n, proc(args, valueWanted));
}

tPasProcRoot::tPasProcRoot(tNameCode code_, int32_t inputCount_, tValueProc proc_, uint8_t elementType_)
    : tProcDesc(code_, inputCount_, false, elementType_), proc(proc_)
{
    valueTableProc = true;
}

void tPasProcRoot::Call(tProcessState&, int32_t)
{
    unsupported(erInternExecuteF);
}

void tPasProcRoot::DispatchedCall(tProcessState& ps, int32_t n, tlogoobject* receiver)
{
    tArgs args(ps, n);
    ps.stack.ReplaceTop(n, proc(receiver, args));
}

tOutput::tOutput(tNameCode code_) : tProcDesc(code_, 1, false, etIfFun)
{
    kind = pkOutput;
}

tStop::tStop(tNameCode code_) : tProcDesc(code_, 0, false, etFun)
{
    kind = pkStop;
}

// --- variables ---

tLogoVarDesc::tLogoVarDesc(tNameCode code_, tlogoobject* value) : tTabDesc(code_), m_value(nullptr)
{
    descKind = tDescKind::variable;
    programDefined = 1;
    if (value)
        SetValue(value);
}

tLogoVarDesc::~tLogoVarDesc()
{
    release(m_value);
}

void tLogoVarDesc::SetValue(tlogoobject* value)
{
    // A pooled temporary would go back to its pool soon. When at most its maker holds it, it leaves the pool
    // (the holder sees no change); otherwise the variable keeps a copy.
    if (value && value->pooled && !(value->refCount <= 1 && leavePool(value))) {
        tValue hold(value); // a fresh temporary goes back to its pool when we are done with it
        assignRef(m_value, makeKeptCopy(value));
        return;
    }
    assignRef(m_value, value);
}

void tLogoVarDesc::adoptValue(tlogoobject* counted)
{
    if (counted && counted->pooled)
        counted = keepTemporary(counted);
    release(std::exchange(m_value, counted));
}

void tLogoVarDesc::AssignValue(tlogoobject* value)
{
    if (m_value && value && m_value->AssignInPlace(value))
        return;
    SetValue(value);
}

void tLogoVarDesc::Save(tSaveContext& save, bool, int kind)
{
    const std::string name = NameOf(code);
    if (!name.empty() && name[0] == '@')
        return;
    std::string nameText;
    tValue(makeWord(name))->SourceForm(false, nameText);
    std::string value;
    ValueText(value);
    if (kind == 1 && m_value && m_value->IsWord() && !m_value->IsNumber())
        value.insert(0, 1, '"');
    ++save.entryIndex;
    const std::string common = primaryName("param", "common") + "'";
    switch (kind) {
    case 1:
        save.writeLine(primaryName("dict", "make") + " \"" + nameText + " " + value, false);
        return;
    case 2:
        save.writeLine(primaryName("param", "event") + "'" + nameText + " " + value, true);
        return;
    case 4:
        if (creationMode == 1)
            return;
        [[fallthrough]];
    case 0:
        save.writeLine((creationMode == 1 ? common : std::string()) + nameText + " " + value, true);
        return;
    default:
        save.writeLine(nameText + " " + value, true);
    }
}

void tLogoVarDesc::ValueText(std::string& out)
{
    out.clear();
    if (!m_value) {
        out = projectTextOr("text", "novalue", "");
        return;
    }
    m_value->SourceForm(true, out);
}

} // namespace zembrio
