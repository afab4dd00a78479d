// User procedures: descriptors defined from Logo text or from a definition list, called through the
// ordinary entries with their own local frame.
#pragma once

#include "core/Descriptors.h"

#include <string>
#include <string_view>
#include <vector>

namespace zembrio {

class tLogoList;

class tLogoProcDesc : public tProcDesc {
public:
    tLogoProcDesc(tNameCode code, std::vector<tNameCode> inputNames, int32_t inputCount, bool variableInputs,
                  tlogoobject* body, std::string sourceText);

    std::string sourceText; // empty when defined from a definition list
    tValue body;            // a list of body lines (a word is accepted too)
    std::vector<tNameCode> inputNames;
    int32_t declaredInputs;
    int32_t noTail = 0; // set while called through an entry without tail calls

    void Call(tProcessState& ps, int32_t n) override { invoke(ps, n, false); }
    void CommandEntry(tProcessState& ps, int32_t n) override { invoke(ps, n, false); }
    void ValueEntry(tProcessState& ps, int32_t n) override { invoke(ps, n, false); }
    void TailEntry(tProcessState& ps, int32_t n) override { invoke(ps, n, true); }
    void CommandEntryNoTail(tProcessState& ps, int32_t n) override;
    void ValueEntryNoTail(tProcessState& ps, int32_t n) override;
    bool MayReplace(bool checkRunning) override { return !(checkRunning && activeCalls > 0); }
    tlogoobject* DefinitionList() override; // fresh list
    void ValueText(std::string& out) override { out = Text(); }
    void Save(tSaveContext& save, bool byName, int kind) override;

    // The source text, or text generated from the definition.
    std::string Text() const;
    // The line of the procedure's text where the failing instruction of an error trail stands.
    int32_t LineOfTrail(const std::vector<int32_t>& trail) const;

protected:
    // Checks or gathers the n inputs on the stack so that one value per input name is there.
    virtual void prepareInputs(tProcessState& ps, int32_t n) = 0;

private:
    void invoke(tProcessState& ps, int32_t n, bool tail);
    std::string bodyText() const; // the body as text whose lines are the procedure's lines after the title
};

// Fixed inputs: one per name.
class tLogoProcDescF : public tLogoProcDesc {
public:
    tLogoProcDescF(tNameCode code, std::vector<tNameCode> inputNames, tlogoobject* body, std::string sourceText);

protected:
    void prepareInputs(tProcessState& ps, int32_t n) override;
};

// Collected inputs: all the inputs, however many, bound as one list to the single name.
class tLogoProcDescV : public tLogoProcDesc {
public:
    tLogoProcDescV(tNameCode code, tNameCode inputName, int32_t defaultCount, tlogoobject* body,
                   std::string sourceText);

protected:
    void prepareInputs(tProcessState& ps, int32_t n) override;
};

// A procedure built from a definition list, entered in no table (the caller owns it).
tLogoProcDesc* MakeProcedure(tNameCode code, tlogoobject* definition, const std::string& sourceText = {});

// Defines a procedure in the object's method table from its text ("to name :inputs" … "end").
void DefineFromText(tlogoobject* object, std::string_view text);
// Defines from a definition list: (input list, body line, body line, …).
void DefineFromList(tlogoobject* object, std::string_view name, tlogoobject* definition,
                    const std::string& sourceText = {});

} // namespace zembrio
