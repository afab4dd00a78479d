// The interpreter context of one Logo process, reached through a thread-local pointer.
#pragma once

#include "core/Descriptors.h"
#include "core/LogoStack.h"

#include <atomic>
#include <memory>

namespace zembrio {

class tLogoLocaltab;
class tLogoGlobalVarTab;

struct tProcessState {
    tProcessState();
    ~tProcessState();
    tProcessState(const tProcessState&) = delete;
    tProcessState& operator=(const tProcessState&) = delete;

    tLogoStack stack{1000};
    std::unique_ptr<tLogoLocaltab> locals;
    tlogoobject* currentObject = nullptr; // receiver of name lookups (the main object at top level)
    tLogoTab* currentTable = nullptr;

    uint8_t stopFlag = 0;            // set by output, stop and a recorded tail call
    tlogoobject* outputSlot = nullptr; // counted

    // The pending tail call, run by the caller's trampoline.
    tProcDesc* tailDesc = nullptr;
    tLogoTab* tailContext = nullptr;
    int32_t tailCount = 0;
    int8_t tailTestState = 0;

    int32_t listLevel = 1; // lists entered since the current procedure began; 1 outside procedures
    int32_t callDepth = 0; // instruction and expression lists being run
    tLogoTab* lookupContext = nullptr; // where the last lookup found its name ("usual" reads it)
    tLogoTab* usualContext = nullptr;
    int32_t repeatCounter = 0;
    int8_t testState = 0;  // 0 no test made; 1 true; -1 false
    uint8_t kind = 0;      // tInprocType
    bool marksChanged = false;

    // Set from outside to ask the process to stop; seen at the next yield point.
    std::atomic<bool> stopRequested{false};

    bool tailPending() const { return tailDesc != nullptr; }
    void clearTail()
    {
        tailDesc = nullptr;
        tailContext = nullptr;
        tailCount = 0;
    }
};

// The state of the calling thread, or nullptr outside Logo processes.
tProcessState* currentProcess();
// Makes this thread a Logo process (pools, yield points) while the scope lives.
class tProcessScope {
public:
    explicit tProcessScope(tProcessState& state);
    ~tProcessScope();
    tProcessScope(const tProcessScope&) = delete;
    tProcessScope& operator=(const tProcessScope&) = delete;

private:
    tProcessState* m_previous;
};

// The project's global changed flag (set when a process that marks changes runs code).
extern std::atomic<bool> gProjectChanged;

} // namespace zembrio
