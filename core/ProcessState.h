// The interpreter context of one Logo process, reached through a thread-local pointer.
#pragma once

#include "core/Descriptors.h"
#include "core/LogoStack.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace zembrio {

class tLogoLocaltab;
class tLogoGlobalVarTab;
class tLogoprocess;

inline constexpr uint8_t kAttentionStop = 1;
inline constexpr uint8_t kAttentionPause = 2;
inline constexpr uint8_t kAttentionHook = 4; // call the yield handler at every yield point

// Test states of "test", "iftrue" and "iffalse".
inline constexpr int8_t kTestFalse = 0;
inline constexpr int8_t kTestTrue = 1;
inline constexpr int8_t kNoTest = 2;

// The last error a "catch" of the error tag caught, for "error" to report once.
struct tLastError {
    bool caught = false;
    int32_t number = 0;
    std::string message;   // lines joined by the line-break character
    std::string procedure; // the primitive or procedure that reported it
    tValue culprit;        // the offending value, or a word naming what it concerns
};

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
    int32_t repeatCounter = 0; // 0 when no loop runs
    int8_t testState = kNoTest;
    uint8_t kind = 0;      // tInprocType
    tLogoprocess* process = nullptr; // the process record; none for threads that only run Logo in tests
    int32_t lockDepth = 0; // 0 while holding the interpreter lock; each release without reacquire: -1
    std::vector<std::string> catchTags; // of the active "catch" calls, innermost last, lower case
    tLastError lastError;
    bool marksChanged = false;

    // What the next yield point must look at: a stop request, a pause, a test hook. Set from other
    // threads; one word so that the yield point checks it with a single load.
    std::atomic<uint8_t> attention{0};
    void requestStop() { attention.fetch_or(kAttentionStop); }
    void clearStopRequest() { attention.fetch_and(uint8_t(~kAttentionStop)); }
    bool stopRequested() const { return attention.load(std::memory_order_relaxed) & kAttentionStop; }

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
