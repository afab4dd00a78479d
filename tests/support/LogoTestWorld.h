// A small Logo world for the language-core tests: an English-like dictionary, a root object whose table
// holds a handful of primitives, and one process state. Output of "print" collects in `output`.
#pragma once

#include "core/Dispatchers.h"
#include "core/DictionaryLookup.h"
#include "core/Evaluator.h"
#include "core/LogoException.h"
#include "core/LogoValues.h"
#include "core/Reader.h"
#include "core/UserProcedures.h"
#include "core/ValuePools.h"
#include "core/ValueTables.h"
#include "core/VariableTables.h"

#include <functional>
#include <map>
#include <optional>
#include <string>

namespace zembrio::testing {

// An object with its own method table and named children (the object model's part in these tests).
class tRootObject : public tlogoobject {
public:
    tRootObject()
    {
        methodTable = new tLogoTab(this);
        refCount = 1; // held by its owner for its whole life, as the main object is by the runtime
    }
    ~tRootObject() override { delete methodTable; }
    tlogoobject* ObjectNamed(uint32_t code) override
    {
        auto it = children.find(code);
        return it == children.end() ? nullptr : it->second;
    }
    bool AnswersDefaultAction() override { return hasDefaultAction; }
    bool NameForErrors(std::string& out) override
    {
        out = name;
        return !name.empty();
    }

    std::map<uint32_t, tlogoobject*> children;
    bool hasDefaultAction = false;
    std::string name;
};

struct tOutcome {
    std::string output;
    std::optional<errorConst> error;
    std::string culprit;       // #h of the error
    std::string primitive;     // #p
    std::string procedure;     // #P: the procedure, after its owner's name when it has one
    int32_t line = 0;
    std::string bounds;        // "#a #b": the range of an erMinMax
};

class tLogoTestWorld {
public:
    tLogoTestWorld();
    ~tLogoTestWorld();

    // Runs the text as top-level instructions and reports what was printed and any error.
    tOutcome run(std::string_view text);
    // Defines procedures from their texts ("to …" up to "end"), separated by blank lines.
    void define(std::string_view text);
    // Evaluates an expression and gives its print form.
    std::string eval(std::string_view expression);

    tProcessState ps;
    tRootObject root;
    tMemoryDictionary dict;
    std::string output;
    // With a budget, a run stops (as if asked to) after that many list runs: for arbitrary input.
    void setStepBudget(int32_t budget);

private:
    void registerPrimitives();
    tOutcome runHere(std::string_view instructions);
    std::optional<tProcessScope> m_scope;
};

tLogoTestWorld& world();

} // namespace zembrio::testing
