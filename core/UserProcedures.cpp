#include "core/UserProcedures.h"

#include "core/CompiledArray.h"
#include "core/DictionaryLookup.h"
#include "core/Evaluator.h"
#include "core/LogoException.h"
#include "core/LogoValues.h"
#include "core/ProcessKind.h"
#include "core/Reader.h"
#include "core/ValuePools.h"
#include "core/ValueSettings.h"
#include "core/VariableTables.h"

#include <algorithm>

namespace zembrio {

namespace {

// Lines end at CR LF, CR, LF or the line-break character.
std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n' && c != gValueSettings.lineBreakChar)
            continue;
        lines.push_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::string_view trimmed(std::string_view line)
{
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const size_t last = line.find_last_not_of(" \t");
    return line.substr(first, last - first + 1);
}

// The body of a procedure text: every line after the title, comment lines and the closing "end" line
// left empty, so that the reader's line count still matches the text's lines.
std::string bodyTextFromSource(std::string_view source)
{
    std::vector<std::string_view> lines = splitLines(source);
    std::vector<std::string_view> body(lines.begin() + 1, lines.end());
    for (auto& line : body)
        if (!trimmed(line).empty() && trimmed(line)[0] == ';')
            line = {};
    for (auto it = body.rbegin(); it != body.rend(); ++it) {
        if (trimmed(*it).empty())
            continue;
        if (isSynonymOf(trimmed(*it), "other", "end"))
            *it = {};
        break;
    }
    std::string text;
    for (size_t i = 0; i < body.size(); ++i) {
        if (i)
            text += '\r';
        text += body[i];
    }
    return text;
}

std::string wordText(tlogoobject* v)
{
    std::string t;
    v->AsText(t);
    return t;
}

bool isNonEmptyWord(tlogoobject* v)
{
    return v && v->IsWord() && !wordText(v).empty();
}

// The collected-inputs form of an input list: a word and a list whose first item is a number.
bool isCollectedForm(tLogoList* inputs)
{
    if (!inputs || inputs->count() != 2)
        return false;
    tlogoobject* second = inputs->rest()->first();
    auto* defaults = valueCast<tLogoList>(second);
    return isNonEmptyWord(inputs->first()) && defaults && !defaults->IsEmpty() && defaults->first()->IsNumber();
}

void checkProcedureName(std::string_view name)
{
    tValue asWord(makeWord(name));
    const bool bad = name.empty() || asWord->IsNumber() || name[0] == '"' || name[0] == ':'
                     || std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) <= 32; });
    if (bad)
        throw eLogoException(erBadProcName, std::string(name));
}

// Index (0-based) of the item that holds the 1-based element index, counting prefix elements.
int32_t itemOfElement(const std::vector<tlogoobject*>& items, int32_t elementIndex)
{
    int32_t covered = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        covered += elementCountOf(items[i]);
        if (covered >= elementIndex)
            return static_cast<int32_t>(i);
    }
    return static_cast<int32_t>(items.size());
}

std::vector<tlogoobject*> itemsOf(tLogoList* list)
{
    std::vector<tlogoobject*> items;
    for (tLogoList* c = list; c && c->first(); c = c->rest())
        items.push_back(c->first());
    return items;
}

// The line (from 1) on which the item at this path of item indices starts in the text.
int32_t lineOfPath(std::string_view text, const std::vector<int32_t>& path)
{
    tReader reader(text);
    int32_t line = 1;
    size_t depth = 0;
    std::vector<int32_t> counters{0};
    int32_t skipping = 0; // nesting inside a list that is off the path
    for (;;) {
        const tTokenType t = reader.nextToken();
        if (t == tTokenType::End)
            return line;
        if (t == tTokenType::LineEnd) {
            ++line;
            continue;
        }
        if (skipping > 0) {
            skipping += t == tTokenType::Open ? 1 : (t == tTokenType::Close ? -1 : 0);
            if (skipping == 0)
                ++counters[depth];
            continue;
        }
        if (t == tTokenType::Close)
            return line; // the list on the path ended before the index
        const bool onPath = counters[depth] == path[depth];
        if (onPath && depth + 1 == path.size())
            return line;
        if (t == tTokenType::Open) {
            if (onPath) {
                ++depth;
                counters.push_back(0);
            } else {
                skipping = 1;
            }
            continue;
        }
        ++counters[depth];
    }
}

} // namespace

// --- descriptors ---

tLogoProcDesc::tLogoProcDesc(tNameCode code_, std::vector<tNameCode> inputNames_, int32_t inputCount_,
                             bool variableInputs_, tlogoobject* body_, std::string sourceText_)
    : tProcDesc(code_, inputCount_, variableInputs_, etFun), sourceText(std::move(sourceText_)), body(body_),
      inputNames(std::move(inputNames_)), declaredInputs(static_cast<int32_t>(inputNames.size()))
{
    userProcedure = 1;
    programDefined = 1;
}

tLogoProcDescF::tLogoProcDescF(tNameCode code_, std::vector<tNameCode> names, tlogoobject* body_, std::string text)
    : tLogoProcDesc(code_, names, static_cast<int32_t>(names.size()), false, body_, std::move(text))
{
}

void tLogoProcDescF::prepareInputs(tProcessState&, int32_t n)
{
    if (n < declaredInputs)
        throw eLogoException::withCulpritCode(erNotEnoughInputs, code);
    if (n > declaredInputs)
        throw eLogoException::withCulpritCode(erTooManyInputs, code);
}

tLogoProcDescV::tLogoProcDescV(tNameCode code_, tNameCode inputName, int32_t defaultCount, tlogoobject* body_,
                               std::string text)
    : tLogoProcDesc(code_, {inputName}, defaultCount, true, body_, std::move(text))
{
}

void tLogoProcDescV::prepareInputs(tProcessState& ps, int32_t n)
{
    tListBuilder inputs;
    for (int32_t depth = n - 1; depth >= 0; --depth)
        inputs.append(ps.stack.Peek(depth));
    tRef<tLogoList> list = inputs.take();
    ps.stack.ReplaceTop(n, list.get());
}

void tLogoProcDesc::CommandEntryNoTail(tProcessState& ps, int32_t n)
{
    noTail = 1;
    invoke(ps, n, false);
}

void tLogoProcDesc::ValueEntryNoTail(tProcessState& ps, int32_t n)
{
    noTail = 1;
    invoke(ps, n, false);
}

void tLogoProcDesc::invoke(tProcessState& ps, int32_t n, bool tail)
{
    const int32_t listLevel = std::exchange(noTail, 0);
    // 1-2. Inputs into the frame (a tail call rebinds the frame it shares with its caller).
    prepareInputs(ps, n);
    tLogoLocaltab& locals = *ps.locals;
    const int32_t names = static_cast<int32_t>(inputNames.size());
    if (tail)
        locals.RebindFrame(ps.stack, inputNames.data(), names);
    else
        locals.PushFrame(ps.stack, inputNames.data(), names);

    // 3. Remember what the call changes.
    const int32_t height = ps.stack.count();
    const int8_t savedTest = ps.testState;
    tLogoTab* const savedUsual = std::exchange(ps.usualContext, ps.lookupContext);
    const int32_t savedLevel = std::exchange(ps.listLevel, listLevel);
    ++activeCalls;
    tValue keepBody = body; // a redefinition while running must not free the body under us

    // 8. Undo, on every path; the frame stays only for a pending tail call's trampoline.
    auto leave = [&](bool failed) {
        if (activeCalls > 0)
            --activeCalls;
        ps.usualContext = savedUsual;
        ps.listLevel = savedLevel;
        if (failed && ps.tailPending()) {
            ps.clearTail();
            ps.stopFlag = 0;
        }
        if (tail)
            return;
        if (ps.tailPending()) {
            ps.tailTestState = savedTest;
            return;
        }
        locals.PopFrame();
        ps.testState = savedTest;
    };

    try {
        // 4. The body.
        RunList(ps, keepBody->Compile(kCompileBody));
        // 5. Leave the result.
        if (!ps.stopFlag) {
            ps.stack.Push(nullptr);
        } else if (!ps.tailPending()) {
            ps.stack.DropTo(height);
            ps.stack.PushTransfer(std::exchange(ps.outputSlot, nullptr));
            ps.stopFlag = 0;
        }
    } catch (eOutputException& signal) {
        // 6. Output by unwinding.
        ps.stack.DropTo(height);
        ps.stack.Push(signal.value.get());
    } catch (eLogoException& e) {
        // 7. The first procedure an error leaves names itself and the line.
        if (table && e.procedureName.empty())
            SetPlaceIfEmpty(e, code, table->owner(), LineOfTrail(e.trail), ipProc);
        leave(true);
        throw;
    } catch (...) {
        leave(true);
        throw;
    }
    leave(false);
}

tlogoobject* tLogoProcDesc::DefinitionList()
{
    tListBuilder inputs;
    if (variableInputs) {
        inputs.append(tValue(makeWord(NameOf(inputNames[0]))).get());
        tListBuilder defaults;
        defaults.append(tValue(makeInt(inputCount)).get());
        inputs.append(defaults.take().get());
    } else {
        for (tNameCode name : inputNames)
            inputs.append(tValue(makeWord(NameOf(name))).get());
    }
    tListBuilder definition;
    definition.append(inputs.take().get());
    for (tlogoobject* line : itemsOf(valueCast<tLogoList>(body.get())))
        definition.append(line);
    tLogoList* result = definition.take().leak();
    dropWithoutFree(result);
    return result;
}

std::string tLogoProcDesc::Text() const
{
    if (!sourceText.empty())
        return sourceText;
    std::string text = primaryName("other", "to") + " ";
    tValue nameWord(makeWord(NameOf(code)));
    nameWord->SourceForm(false, text);
    if (variableInputs) {
        text += " :" + NameOf(inputNames[0]) + " [" + std::to_string(inputCount) + "]";
    } else {
        for (tNameCode name : inputNames)
            text += " :" + NameOf(name);
    }
    text += "\r\n";
    for (tlogoobject* line : itemsOf(valueCast<tLogoList>(body.get()))) {
        text += ' ';
        line->SourceForm(false, text);
        text += "\r\n";
    }
    text += primaryName("other", "end");
    return text;
}

std::string tLogoProcDesc::bodyText() const
{
    if (!sourceText.empty())
        return bodyTextFromSource(sourceText);
    std::string text;
    for (tlogoobject* line : itemsOf(valueCast<tLogoList>(body.get()))) {
        if (!text.empty())
            text += '\r';
        line->SourceForm(false, text);
    }
    return text;
}

// The trail holds, innermost first, the index of the failing instruction in each list run. The last
// entry is in the body; an inner entry is followed into the instruction's constant list that can hold it.
int32_t tLogoProcDesc::LineOfTrail(const std::vector<int32_t>& trail) const
{
    if (trail.empty())
        return 0;
    std::vector<tlogoobject*> items;
    for (tlogoobject* line : itemsOf(valueCast<tLogoList>(body.get()))) {
        if (auto* l = valueCast<tLogoList>(line))
            for (tlogoobject* item : itemsOf(l))
                items.push_back(item);
        else
            items.push_back(line);
    }
    std::vector<int32_t> path{itemOfElement(items, trail.back())};
    for (size_t level = trail.size() - 1; level-- > 0;) {
        const int32_t inner = trail[level];
        tLogoList* nested = nullptr;
        for (size_t j = static_cast<size_t>(path.back()); j < items.size() && !nested; ++j) {
            auto* l = valueCast<tLogoList>(items[j]);
            int32_t elements = 0;
            for (tlogoobject* item : itemsOf(l))
                elements += elementCountOf(item);
            if (l && elements >= inner) {
                nested = l;
                path.back() = static_cast<int32_t>(j);
            }
        }
        if (!nested)
            break;
        items = itemsOf(nested);
        path.push_back(itemOfElement(items, inner));
    }
    // The body starts on the line after the title.
    return lineOfPath(bodyText(), path) + 1;
}

void tLogoProcDesc::Save(tSaveContext& save, bool, int)
{
    const std::string name = NameOf(code);
    if (name.empty() || name[0] == '@')
        return;
    std::string line = primaryName("param", "define") + "'";
    tValue nameWord(makeWord(name));
    nameWord->SourceForm(false, line);
    line += ' ';
    if (!sourceText.empty()) {
        tValue text(makeWord(sourceText));
        text->SourceForm(false, line);
    } else {
        // The source form, so that quoted words keep their bars and read back the same.
        tValue definition(DefinitionList());
        definition->SourceForm(true, line);
    }
    save.writeLine(line, true);
}

// --- definitions ---

tLogoProcDesc* MakeProcedure(tNameCode code, tlogoobject* definition, const std::string& sourceText)
{
    auto* list = valueCast<tLogoList>(definition);
    if (!list || list->IsEmpty())
        throw eLogoException(erBadStructure, definition);
    for (tlogoobject* item : itemsOf(list))
        if (!item->IsList())
            throw eLogoException(erBadStructure, item);
    auto* inputs = static_cast<tLogoList*>(list->first());
    tListBuilder lines;
    for (tLogoList* c = list->rest(); c && c->first(); c = c->rest())
        lines.append(c->first());
    tRef<tLogoList> body = lines.take();

    if (isCollectedForm(inputs)) {
        tlogoobject* defaults = static_cast<tLogoList*>(inputs->rest()->first())->first();
        const int32_t d = defaults->AsIntegerInRange(0, 255);
        return new tLogoProcDescV(code, Intern(wordText(inputs->first())), d, body.get(), sourceText);
    }
    std::vector<tNameCode> names;
    for (tlogoobject* input : itemsOf(inputs)) {
        if (!input->IsWord())
            throw eLogoException(erBadStructure, input);
        const std::string inputName = wordText(input);
        if (inputName.empty())
            throw eLogoException(erEmptyWord, input);
        names.push_back(Intern(inputName));
    }
    return new tLogoProcDescF(code, std::move(names), body.get(), sourceText);
}

void DefineFromList(tlogoobject* object, std::string_view name, tlogoobject* definition,
                    const std::string& sourceText)
{
    checkProcedureName(name);
    tLogoTab* table = object->methodTable;
    if (!table)
        throw eLogoException(erCannotEdit, object);
    const tNameCode code = Intern(name);
    tTabDesc* previous = table->Lookup(code);
    if (previous && !previous->MayReplace(true)) {
        tProcDesc* p = previous->AsProc();
        const bool running = p && p->userProcedure && p->activeCalls > 0;
        throw eLogoException(running ? erRedefineUsedProc : erRedefinePrimitiveProc, std::string(name));
    }

    tLogoProcDesc* proc = MakeProcedure(code, definition, sourceText);
    if (previous)
        proc->flags |= previous->flags & (kDescNotSaved | kDescDoNotSave | kDescHidden | kDescBuried);
    table->Add(proc);
}

void DefineFromText(tlogoobject* object, std::string_view text)
{
    const std::vector<std::string_view> lines = splitLines(text);
    tRef<tLogoList> title = ReadList(lines.front(), false);
    std::vector<tlogoobject*> items = itemsOf(title.get());
    if (items.empty() || !items[0]->IsWord() || !isSynonymOf(wordText(items[0]), "other", "to"))
        throw eLogoException(erMissingTO, items.empty() ? nullptr : items[0]);
    if (items.size() < 2 || !items[1]->IsWord())
        throw eLogoException(erMissingToName, items.size() < 2 ? nullptr : items[1]);
    const std::string name = wordText(items[1]);

    auto withoutColon = [](tlogoobject* input) -> tValue {
        if (!input->IsWord())
            return input;
        std::string t = wordText(input);
        return makeWord(!t.empty() && t[0] == ':' ? t.substr(1) : t);
    };
    tListBuilder inputs;
    for (size_t i = 2; i < items.size(); ++i)
        inputs.append(withoutColon(items[i]).get());
    tRef<tLogoList> inputList = inputs.take();

    tRef<tLogoList> bodyLine = ReadList(bodyTextFromSource(text), false);
    tListBuilder definition;
    definition.append(inputList.get());
    definition.append(bodyLine.get());
    tRef<tLogoList> definitionList = definition.take();

    const std::string source(text);
    if (object->methodTable) {
        tTabDesc* existing = object->methodTable->Lookup(Intern(name));
        auto* proc = existing ? dynamic_cast<tLogoProcDesc*>(existing) : nullptr;
        if (proc && proc->sourceText == source)
            return;
    }
    DefineFromList(object, name, definitionList.get(), source);
}

} // namespace zembrio
