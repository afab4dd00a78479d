// Descriptors: what a name stands for in a method table — a primitive, a user procedure or a variable.
#pragma once

#include "core/ErrorConst.h"
#include "core/LogoObject.h"
#include "core/MethodTable.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zembrio {

struct tProcessState;
class tStream;

// What one save (project text, an object's state) carries from entry to entry.
struct tSaveContext {
    explicit tSaveContext(tStream& out) : stream(out) {}
    tStream& stream;
    int32_t entryIndex = 0;                     // running index of variable entries
    std::vector<tValue> pendingImages;          // [[n i] path] records of images taken out of values
    void writeLine(const std::string& text, bool indented);
};

class tTabDesc {
public:
    explicit tTabDesc(tNameCode code);
    virtual ~tTabDesc() = default;
    tTabDesc(const tTabDesc&) = delete;
    tTabDesc& operator=(const tTabDesc&) = delete;

    tNameCode code;
    uint16_t word1 = 0;
    uint8_t byte1 = 0;
    uint8_t flags = 0;
    tTabDesc* next = nullptr; // insertion-order chain of the owning table
    tTabDesc* prev = nullptr;
    int32_t word2 = 0;
    tLogoTab* table = nullptr;
    int32_t programDefined = 0; // 1 for variables and user procedures

    // ORDER tTabDesc-slots
    virtual void ValueText(std::string& out);                       // 0
    virtual tlogoobject* Value() { return nullptr; }                // 1
    virtual void NameText(std::string& out) { out = NameOf(code); } // 2
    virtual void Save(tSaveContext& save, bool byName, int kind);   // 3
    virtual bool MayReplace(bool checkRunning)                      // 4
    {
        (void)checkRunning;
        return false;
    }

    // Kind tests for hot paths: a field, not a virtual call or dynamic_cast.
    class tProcDesc* AsProc();
    class tLogoVarDesc* AsVar();

protected:
    enum class tDescKind : uint8_t { other, procedure, variable };
    tDescKind descKind = tDescKind::other; // set by the constructors of the two kinds
};

// Element types of descriptors and compiled elements.
// ORDER ElementTypes
enum ElementTypes : uint8_t {
    etFun, etIfFun, etRelOp, etUnOp, etAddOp, etMulOp, etUnknownOp, etLpar, etRpar, etVariable, etConst, etEnd,
    etObjectPrefixFun, etUsualPrefix,
};

enum tProcKind : uint8_t { pkOrdinary = 0, pkOutput = 1, pkStop = 2 };

// A procedure. n is always the number of inputs supplied: the top n values of the stack, first deepest.
// The command and value entries consume them and push exactly one value (nil for nothing).
class tProcDesc : public tTabDesc {
public:
    tProcDesc(tNameCode code, int32_t inputCount, bool variableInputs, uint8_t elementType = etFun);

    int32_t inputCount;
    bool variableInputs;
    uint8_t elementType;
    uint8_t kind = pkOrdinary;
    int32_t activeCalls = 0;
    int32_t userProcedure = 0; // 1: the evaluator may turn a call into a tail call
    bool valueTableProc = false; // a tPasProcRoot: type dispatchers call its function directly


    // The implementation the entries are bound to.
    virtual void Call(tProcessState& ps, int32_t n);
    virtual void CommandEntry(tProcessState& ps, int32_t n) { Call(ps, n); }
    virtual void ValueEntry(tProcessState& ps, int32_t n) { Call(ps, n); }
    virtual void TailEntry(tProcessState& ps, int32_t n) { Call(ps, n); }
    virtual void CommandEntryNoTail(tProcessState& ps, int32_t n) { Call(ps, n); }
    virtual void ValueEntryNoTail(tProcessState& ps, int32_t n) { Call(ps, n); }
    // Called by a type dispatcher: n inputs besides the receiver.
    virtual void DispatchedCall(tProcessState& ps, int32_t n, tlogoobject* receiver);
    virtual tlogoobject* DefinitionList() { return nullptr; }

protected:
    [[noreturn]] void unsupported(errorConst number);
};

// The inputs of a built-in: input(0) is the first. They stay on the stack while the built-in runs.
class tArgs {
public:
    tArgs(tProcessState& ps, int32_t n);
    int32_t count() const { return m_n; }
    tlogoobject* operator[](int32_t i) const { return m_base[i]; }
    tProcessState& ps;

private:
    tlogoobject* const* m_base;
    int32_t m_n;
};

// A built-in of the main object: gets its inputs, returns a fresh result or nullptr for nothing.
using tMainProc = tlogoobject* (*)(tArgs& args);

// Built-in with a default input count; with variableInputs, any number inside parentheses.
class tMainPasProcDesc final : public tProcDesc {
public:
    tMainPasProcDesc(tNameCode code, int32_t inputCount, bool variableInputs, tMainProc proc,
                     uint8_t elementType = etFun);
    void Call(tProcessState& ps, int32_t n) override;
    // Straight to Call, without a second virtual call.
    void CommandEntry(tProcessState& ps, int32_t n) override { Call(ps, n); }
    void ValueEntry(tProcessState& ps, int32_t n) override { Call(ps, n); }
    tMainProc proc;
};

// A built-in with a value form and a command form ("run", "ifelse", "case"): the evaluator's value entry
// runs the first, its command entry the second.
class tMainPasProcDescF : public tProcDesc {
public:
    tMainPasProcDescF(tNameCode code, int32_t inputCount, tMainProc valueProc, tMainProc commandProc,
                      uint8_t elementType = etFun);
    void Call(tProcessState& ps, int32_t n) override { run(ps, n, commandProc); }
    void ValueEntry(tProcessState& ps, int32_t n) override { run(ps, n, valueProc); }
    void ValueEntryNoTail(tProcessState& ps, int32_t n) override { run(ps, n, valueProc); }
    tMainProc valueProc;
    tMainProc commandProc;

private:
    static void run(tProcessState& ps, int32_t n, tMainProc proc);
};

// A built-in told whether a value is wanted ("apply", "map").
using tMainProcBF = tlogoobject* (*)(tArgs& args, bool valueWanted);
class tMainPasProcDescBF : public tProcDesc {
public:
    tMainPasProcDescBF(tNameCode code, int32_t inputCount, tMainProcBF proc, uint8_t elementType = etFun);
    void Call(tProcessState& ps, int32_t n) override { run(ps, n, false); }
    void ValueEntry(tProcessState& ps, int32_t n) override { run(ps, n, true); }
    void ValueEntryNoTail(tProcessState& ps, int32_t n) override { run(ps, n, true); }
    tMainProcBF proc;

private:
    void run(tProcessState& ps, int32_t n, bool valueWanted);
};

// A primitive of a value table: receiver and the other inputs; returns a fresh result or nullptr.
using tValueProc = tlogoobject* (*)(tlogoobject* receiver, tArgs& args);

// Base of the value-table descriptors: only the dispatched entries work.
class tPasProcRoot final : public tProcDesc {
public:
    tPasProcRoot(tNameCode code, int32_t inputCount, tValueProc proc, uint8_t elementType);
    void Call(tProcessState& ps, int32_t n) override;
    void DispatchedCall(tProcessState& ps, int32_t n, tlogoobject* receiver) override;
    tValueProc proc;
};

// "output" (one input read as a full expression) and "stop": the evaluator acts on their kind.
class tOutput : public tProcDesc {
public:
    explicit tOutput(tNameCode code);
};
class tStop : public tProcDesc {
public:
    explicit tStop(tNameCode code);
};

// A variable. Setting it stores a clone of a pooled temporary, so pooled objects never live in variables.
class tLogoVarDesc : public tTabDesc {
public:
    explicit tLogoVarDesc(tNameCode code, tlogoobject* value = nullptr);
    ~tLogoVarDesc() override;

    void ValueText(std::string& out) override;
    tlogoobject* Value() override { return m_value; }
    void Save(tSaveContext& save, bool byName, int kind) override;

    virtual void SetValue(tlogoobject* value);
    // Overwrites the held object in place when nobody else holds it (numbers in loops), else stores.
    void AssignValue(tlogoobject* value);
    tlogoobject* value() const { return m_value; }
    // Shallow binding moves counted references in and out without touching their counts.
    tlogoobject* takeValue() { return std::exchange(m_value, nullptr); }
    void adoptValue(tlogoobject* counted);

    uint8_t creationMode = 0; // 1: a common variable
    // Local tables keep an entry whose binding ended, to bind the name again without an allocation.
    bool unbound = false;

private:
    tlogoobject* m_value; // counted; nil = no value
};

class tlogoglobalvardesc : public tLogoVarDesc {
public:
    using tLogoVarDesc::tLogoVarDesc;
};

inline tProcDesc* tTabDesc::AsProc()
{
    return descKind == tDescKind::procedure ? static_cast<tProcDesc*>(this) : nullptr;
}

inline tLogoVarDesc* tTabDesc::AsVar()
{
    return descKind == tDescKind::variable ? static_cast<tLogoVarDesc*>(this) : nullptr;
}

} // namespace zembrio
