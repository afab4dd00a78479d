// What a loop changes in its process, put back on every way out (errors and throws included).
#pragma once

#include "core/NameTable.h"
#include "core/ProcessState.h"
#include "core/VariableTables.h"

namespace zembrio {

// The repeat counter of the loop, and the enclosing loop's counter afterwards.
class tRepeatCounterScope {
public:
    tRepeatCounterScope(tProcessState& ps, int32_t start) : m_ps(ps), m_saved(ps.repeatCounter)
    {
        ps.repeatCounter = start;
    }
    ~tRepeatCounterScope() { m_ps.repeatCounter = m_saved; }
    tRepeatCounterScope(const tRepeatCounterScope&) = delete;
    tRepeatCounterScope& operator=(const tRepeatCounterScope&) = delete;

private:
    tProcessState& m_ps;
    int32_t m_saved;
};

// A loop variable: a local of the current frame, without a value until the loop sets it; unbound at the
// end so the binding it hid comes back.
class tLoopVariableScope {
public:
    tLoopVariableScope(tProcessState& ps, tNameCode name) : m_ps(ps), m_name(name)
    {
        ps.locals->MakeLocal(name, nullptr);
    }
    ~tLoopVariableScope() { m_ps.locals->Unbind(m_name); }
    tLoopVariableScope(const tLoopVariableScope&) = delete;
    tLoopVariableScope& operator=(const tLoopVariableScope&) = delete;

private:
    tProcessState& m_ps;
    tNameCode m_name;
};

} // namespace zembrio
