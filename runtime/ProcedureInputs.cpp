// Primitives that take a procedure as an input: "apply", "map", "filter" and "generate". A procedure
// input is a name, a definition list or a template; the last two become temporary procedures that live
// only while the primitive runs.
#include "core/DictionaryLookup.h"
#include "core/Evaluator.h"
#include "core/LogoException.h"
#include "core/LogoValues.h"
#include "core/UserProcedures.h"
#include "core/ValuePools.h"
#include "runtime/Registration.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace zembrio {

namespace {

// How deep each primitive is nested, to give its temporary procedures distinct names.
struct tNesting {
    const char* primitive;
    int32_t depth = 0;
};
tNesting gApply{"apply"}, gMap{"map"}, gFilter{"filter"}, gGenerate{"generate"};

class tNestingScope {
public:
    explicit tNestingScope(tNesting& n) : m_nesting(n) { ++n.depth; }
    ~tNestingScope() { --m_nesting.depth; }
    tNestingScope(const tNestingScope&) = delete;
    tNestingScope& operator=(const tNestingScope&) = delete;

private:
    tNesting& m_nesting;
};

tValue wordValue(std::string_view text)
{
    return makeWord(text);
}

class tProcedureInput {
public:
    // inputs: how many inputs the procedure will get; a template names its slots after that number.
    tProcedureInput(tProcessState& ps, tlogoobject* input, const tNesting& nesting, int32_t inputs, bool valueWanted)
        : m_ps(ps)
    {
        auto* list = valueCast<tLogoList>(input);
        if (input->IsWord()) {
            const tNameCode name = input->AsNameCode();
            tTabDesc* found = ps.currentObject ? ps.currentObject->LookupProc(name, m_context) : nullptr;
            m_proc = found ? found->AsProc() : nullptr;
            if (!m_proc)
                throw eLogoException::withCulpritCode(erDoNotKnowHowTo, name);
        } else if (list && !list->IsEmpty() && list->first()->IsList()) {
            m_temporary.reset(MakeProcedure(temporaryName(nesting, "define"), list));
            m_proc = m_temporary.get();
        } else if (list && !list->IsEmpty()) {
            m_temporary.reset(MakeProcedure(temporaryName(nesting, "template"), templateDefinition(list, inputs, valueWanted).get()));
            m_proc = m_temporary.get();
        } else {
            throw eLogoException(erExpectWord, input);
        }
    }

    tProcDesc* proc() const { return m_proc; }

    // Too few or too many inputs for a procedure that does not collect them.
    void checkInputCount(int32_t inputs) const
    {
        if (m_proc->variableInputs)
            return;
        if (inputs < m_proc->inputCount)
            throw eLogoException::withCulpritCode(erNotEnoughInputs, m_proc->code);
        if (inputs > m_proc->inputCount)
            throw eLogoException::withCulpritCode(erTooManyInputs, m_proc->code);
    }

    bool takesExactlyOne() const { return m_proc->variableInputs || m_proc->inputCount == 1; }

    // Calls with the inputs; the result when a value is wanted, nothing otherwise.
    tValue call(const std::vector<tlogoobject*>& inputs, bool valueWanted)
    {
        for (tlogoobject* v : inputs)
            m_ps.stack.Push(v);
        const int32_t n = static_cast<int32_t>(inputs.size());
        m_ps.lookupContext = m_context;
        if (!valueWanted) {
            m_proc->CommandEntryNoTail(m_ps, n);
            m_ps.stack.PopNil(); // a value left by a command is an error
            return {};
        }
        m_proc->ValueEntryNoTail(m_ps, n);
        if (m_ps.stack.Top() == nullptr)
            throw eLogoException::withCulpritCode(erDidNotReport, m_proc->code);
        return tValue::adopt(m_ps.stack.PopTransfer());
    }

private:
    static tNameCode temporaryName(const tNesting& nesting, const char* kind)
    {
        return Intern(std::string(nesting.primitive) + "." + kind + std::to_string(nesting.depth));
    }

    // [[% …] [output template…]]: slot names "%" for one input, "%1", "%2" … for more.
    static tRef<tLogoList> templateDefinition(tLogoList* templateList, int32_t inputs, bool valueWanted)
    {
        tListBuilder names;
        if (inputs == 1)
            names.append(wordValue("%").get());
        for (int32_t i = 1; inputs != 1 && i <= inputs; ++i)
            names.append(wordValue("%" + std::to_string(i)).get());
        tListBuilder line;
        if (valueWanted)
            line.append(wordValue(primaryName("dict", "output")).get());
        for (tLogoList* c = templateList; c && c->first(); c = c->rest())
            line.append(c->first());
        tListBuilder definition;
        definition.append(names.take().get());
        definition.append(line.take().get());
        return definition.take();
    }

    tProcessState& m_ps;
    tProcDesc* m_proc = nullptr;
    tLogoTab* m_context = nullptr;
    std::unique_ptr<tProcDesc> m_temporary;
};

// The items of a data input: list items, or the characters of a word.
std::vector<tValue> itemsOf(tlogoobject* data)
{
    std::vector<tValue> items;
    if (auto* list = valueCast<tLogoList>(data)) {
        for (tLogoList* c = list; c && c->first(); c = c->rest())
            items.emplace_back(c->first());
        return items;
    }
    if (!data->IsWord())
        throw eLogoException(erExpectList, data);
    std::string text;
    data->AsText(text);
    for (char c : text)
        items.emplace_back(makeWord(std::string(1, c)));
    return items;
}

tlogoobject* listOf(const std::vector<tValue>& values)
{
    tListBuilder list;
    for (const tValue& v : values)
        list.append(v.get());
    return handOver(list.take());
}

tlogoobject* apply(tArgs& a, bool valueWanted)
{
    if (a.count() < 2)
        throw eLogoException::withCulpritCode(erNotEnoughInputs, Intern(primaryName("dict", "apply")));
    if (a.count() > 2)
        throw eLogoException::withCulpritCode(erTooManyInputs, Intern(primaryName("dict", "apply")));
    if (!a[1]->IsList())
        throw eLogoException(erExpectList, a[1]);
    std::vector<tlogoobject*> inputs;
    for (tLogoList* c = static_cast<tLogoList*>(a[1]); c && c->first(); c = c->rest())
        inputs.push_back(c->first());
    tNestingScope nesting(gApply);
    tProcedureInput proc(a.ps, a[0], gApply, static_cast<int32_t>(inputs.size()), valueWanted);
    proc.checkInputCount(static_cast<int32_t>(inputs.size()));
    tValue result = proc.call(inputs, valueWanted);
    return result ? handOver(std::move(result)) : nullptr;
}

tlogoobject* map(tArgs& a, bool valueWanted)
{
    if (a.count() < 2)
        throw eLogoException::withCulpritCode(erNotEnoughInputs, Intern(primaryName("dict", "map")));
    std::vector<std::vector<tValue>> data;
    for (int32_t i = 1; i < a.count(); ++i) {
        data.push_back(itemsOf(a[i]));
        if (data.back().size() != data.front().size())
            throw eLogoException(erBadStructure, a[i]);
    }
    const int32_t inputs = a.count() - 1;
    tNestingScope nesting(gMap);
    tProcedureInput proc(a.ps, a[0], gMap, inputs, valueWanted);
    proc.checkInputCount(inputs);
    std::vector<tValue> results;
    for (size_t i = 0; i < data.front().size(); ++i) {
        std::vector<tlogoobject*> row;
        for (const auto& d : data)
            row.push_back(d[i].get());
        tValue r = proc.call(row, valueWanted);
        if (valueWanted)
            results.push_back(std::move(r));
    }
    return valueWanted ? listOf(results) : nullptr;
}

tlogoobject* filter(tArgs& a)
{
    if (!a[1]->IsList())
        throw eLogoException(erBadStructure, a[1]);
    tNestingScope nesting(gFilter);
    tProcedureInput proc(a.ps, a[0], gFilter, 1, true);
    if (!proc.takesExactlyOne())
        throw eLogoException(erExpectBadProc, a[0]);
    std::vector<tValue> kept;
    for (const tValue& item : itemsOf(a[1]))
        if (proc.call({item.get()}, true)->AsBool())
            kept.push_back(item);
    return listOf(kept);
}

tlogoobject* generate(tArgs& a)
{
    constexpr int32_t kMostElements = 10000;
    const bool counted = a[0]->IsNumber();
    if (!counted && !a[0]->IsWord() && !(a[0]->IsList() && !a[0]->IsEmpty()))
        throw eLogoException(erExpectNumber, a[0]);
    if (!a[1]->IsWord() && !a[1]->IsList())
        throw eLogoException(erExpectWord, a[1]);
    tNestingScope nesting(gGenerate);
    int32_t count = 0;
    std::unique_ptr<tProcedureInput> testProc, stepProc;
    if (counted)
        count = std::max(0, a[0]->AsInteger());
    else
        testProc = std::make_unique<tProcedureInput>(a.ps, a[0], gGenerate, 1, true);
    if (!(a[1]->IsList() && a[1]->IsEmpty()))
        stepProc = std::make_unique<tProcedureInput>(a.ps, a[1], gGenerate, 1, true);
    for (const auto* p : {testProc.get(), stepProc.get()})
        if (p && !p->takesExactlyOne())
            throw eLogoException(erExpectBadProc, p == testProc.get() ? a[0] : a[1]);

    std::vector<tValue> values;
    tValue v(a[2]);
    while (static_cast<int32_t>(values.size()) < kMostElements) {
        if (counted && static_cast<int32_t>(values.size()) >= count)
            break;
        if (testProc && !testProc->call({v.get()}, true)->AsBool())
            break;
        values.push_back(v);
        if (stepProc)
            v = stepProc->call({v.get()}, true);
    }
    return listOf(values);
}

} // namespace

void registerProcedureInputs(tLogoTab& table)
{
    registerEachSpelling(table, "apply", [](tNameCode code) { return new tMainPasProcDescBF(code, 2, apply); });
    registerEachSpelling(table, "map", [](tNameCode code) { return new tMainPasProcDescBF(code, 2, map); });
    registerMain(table, "filter", 2, false, filter);
    registerMain(table, "generate", 3, false, generate);
}

} // namespace zembrio
