// "foreach" over the items of a list and the characters of a word.
#include "core/Evaluator.h"
#include "core/LogoException.h"
#include "core/LogoValues.h"
#include "core/LoopScope.h"
#include "core/ValuePools.h"

namespace zembrio {

namespace {

// Runs the instructions once per item that next() hands out (nullptr at the end), with the variable
// a local of the current frame holding the item and the repeat counter counting from 1.
template <class Next>
void runForEach(tNameCode variable, tlogoobject* instructions, Next next)
{
    tProcessState* ps = currentProcess();
    if (!ps)
        throw eLogoException(erWrongPlace);
    tValue keepInstructions(instructions);
    tLoopVariableScope loopVariable(*ps, variable);
    tRepeatCounterScope counter(*ps, 0);
    while (tValue item = next()) {
        ++ps->repeatCounter;
        ps->locals->SetValue(variable, item.get());
        RunInstructions(*ps, instructions);
        if (ps->stopFlag)
            break;
    }
}

} // namespace

void tLogoList::ForEach(uint32_t variable, tlogoobject* instructions)
{
    if (IsEmpty())
        return;
    tRef<tLogoList> keep(this); // the list may lose its other holders while the loop runs
    tLogoList* cell = this;
    runForEach(variable, instructions, [&]() -> tValue {
        if (!cell || !cell->first())
            return {};
        tlogoobject* item = cell->first();
        cell = cell->rest();
        return item;
    });
}

void tLogoWord::ForEach(uint32_t variable, tlogoobject* instructions)
{
    std::string text;
    AsText(text);
    size_t at = 0;
    runForEach(variable, instructions, [&]() -> tValue {
        if (at >= text.size())
            return {};
        return makeWord(std::string_view(text).substr(at++, 1));
    });
}

} // namespace zembrio
