#include "runtime/LogoProcess.h"

#include "core/CodeTable.h"
#include "core/Commander.h"
#include "core/Evaluator.h"
#include "core/InterpreterLock.h"
#include "core/LogoException.h"
#include "core/VariableTables.h"
#include "platform/GuiThread.h"
#include "platform/ProcessStack.h"
#include "runtime/GlobalLock.h"
#include "runtime/MainObj.h"
#include "runtime/Options.h"

#include <algorithm>

namespace zembrio {

namespace {

thread_local tLogoprocess* tCurrentLogoProcess = nullptr;
std::atomic<void (*)()> gErrorListener{nullptr};
std::atomic<void (*)()> gAllEndedListener{nullptr};

} // namespace

tLogoprocess* currentLogoProcess()
{
    return tCurrentLogoProcess;
}

void onProcessError(void (*listener)())
{
    gErrorListener.store(listener);
}

void onAllProcessesEnded(void (*listener)())
{
    gAllEndedListener.store(listener);
}

tProcessRegistry& processRegistry()
{
    static tProcessRegistry registry;
    return registry;
}

// --- registry ---

void tProcessRegistry::add(const std::shared_ptr<tLogoprocess>& process)
{
    std::lock_guard lock(m_mutex);
    m_processes.push_back(process);
}

void tProcessRegistry::remove(tLogoprocess* process)
{
    {
        std::lock_guard lock(m_mutex);
        auto it = std::find_if(m_processes.begin(), m_processes.end(), [&](auto& p) { return p.get() == process; });
        if (it == m_processes.end())
            return;
        m_ended.push_back(*it);
        m_processes.erase(it);
        if (!m_processes.empty())
            return;
    }
    if (auto listener = gAllEndedListener.load())
        listener();
}

std::vector<std::shared_ptr<tLogoprocess>> tProcessRegistry::snapshot() const
{
    std::lock_guard lock(m_mutex);
    return m_processes;
}

bool tProcessRegistry::empty() const
{
    std::lock_guard lock(m_mutex);
    return m_processes.empty();
}

void tProcessRegistry::reapFinished()
{
    std::vector<std::shared_ptr<tLogoprocess>> ended;
    {
        std::lock_guard lock(m_mutex);
        auto done = std::stable_partition(m_ended.begin(), m_ended.end(), [](auto& p) { return !p->finished(); });
        ended.assign(done, m_ended.end());
        m_ended.erase(done, m_ended.end());
    }
    for (auto& p : ended)
        joinThread(p->m_thread);
}

// --- processes ---

tLogoprocess::tLogoprocess(tInprocType kind, std::string name, tlogoobject* instruction)
    : m_instruction(instruction), m_kind(kind), m_name(std::move(name)),
      m_createdWhileLoading(options().projectLoading)
{
}

tLogoprocess::~tLogoprocess() = default;

void tLogoprocess::start(const std::shared_ptr<tLogoprocess>& process)
{
    processRegistry().reapFinished();
    processRegistry().add(process);
    try {
        process->m_thread = startProcessThread([process] { process->threadMain(); });
    } catch (...) {
        processRegistry().remove(process.get());
        throw;
    }
}

void tLogoprocess::requestStop()
{
    m_state.requestStop();
    stopEvent.signal();
    pauseEvent.signal(); // a paused process must see the request
}

void tLogoprocess::waitUntilFinished()
{
    if (finished() || currentLogoProcess() == this)
        return;
    if (tProcessState* caller = currentProcess()) {
        // The ending process may need the lock (and the GUI thread) for its last steps.
        tLockReleased released(*caller);
        m_finishedEvent.wait();
        return;
    }
    waitServingGuiRequests([this] { return m_finishedEvent.isSignalled(); });
}

void tLogoprocess::threadMain()
{
    globalLock().enter();
    tCurrentLogoProcess = this;
    {
        // The interpreter context of this thread.
        tProcessScope scope(m_state);
        m_state.process = this;
        m_state.kind = m_kind;
        if (locals)
            m_state.locals = std::move(locals);
        m_state.currentObject = object ? object : mainObject();
        m_state.currentTable = methodTable;
        m_state.marksChanged = !m_createdWhileLoading;
        m_started.store(true);
        while (!m_state.stopRequested())
            runBodyReportingErrors();
        // Every Logo value the process still holds goes while it has the lock: the record itself may
        // be freed later by a thread without it.
        m_state.stack.Clear();
        m_state.locals.reset();
        release(std::exchange(m_state.outputSlot, nullptr));
        m_state.catchTags.clear();
        m_state.lastError = {};
        m_instruction = nullptr;
        userName = nullptr;
        releaseValues();
    }
    tCurrentLogoProcess = nullptr;
    processRegistry().remove(this);
    if (completion)
        runInGuiThread(completion);
    m_finished.store(true);
    globalLock().leave();
    m_finishedEvent.signal();
}

void tLogoprocess::runBodyReportingErrors()
{
    const int32_t height = m_state.stack.count();
    try {
        body();
        // "stop" at the top of the process's list ends it quietly; "output" there has nobody to take it.
        if (m_state.stopFlag) {
            const bool output = m_state.outputSlot != nullptr;
            release(std::exchange(m_state.outputSlot, nullptr));
            m_state.stopFlag = 0;
            if (output || m_kind == ipNone)
                throw eLogoException::withPrimitive(erWrongPlace, output ? fixedCodes().output : fixedCodes().stop);
        }
    } catch (const eTerminateException&) {
        doneEvent.signal();
        m_state.requestStop();
    } catch (std::exception& error) {
        reportError(error);
        m_state.requestStop();
    }
    m_state.stack.DropTo(height);
    AbandonTailCall(m_state);
}

void tLogoprocess::reportError(std::exception& error)
{
    // Completed, not overwritten: an error a procedure placed keeps its procedure and line.
    if (auto* e = dynamic_cast<eLogoException*>(&error)) {
        if (e->processKind == ipNone)
            e->processKind = m_kind;
        if (e->procedureName.empty())
            e->procedureName = m_name;
    }
    (commander ? *commander : defaultCommander()).ReportError(error);
    if (auto listener = gErrorListener.load())
        listener();
}

void tLogoprocess::body()
{
    runInstruction();
    m_state.requestStop(); // once
}

void tLogoprocess::runInstruction()
{
    // A top-level run has a scope of its own: "local", "for" and their kin work outside procedures.
    m_state.locals->PushEmptyFrame();
    try {
        RunInstructions(m_state, m_instruction.get());
    } catch (...) {
        m_state.locals->PopFrame();
        throw;
    }
    m_state.locals->PopFrame();
}

void tLogoForeverProcess::body()
{
    for (;;) {
        runInstruction();
        if (m_state.stopFlag)
            return; // the body rule decides what "stop" or "output" means here
    }
}

tLogoEveryProcess::tLogoEveryProcess(tInprocType kind, std::string name, tlogoobject* instruction,
                                     int64_t intervalMs)
    : tLogoprocess(kind, std::move(name), instruction), m_intervalMs(intervalMs)
{
}

void tLogoEveryProcess::waitInterval()
{
    tLockReleased released(m_state);
    if (stopEvent.wait(std::chrono::milliseconds(m_intervalMs)))
        throw eTerminateException(0);
}

void tLogoEveryProcess::body()
{
    for (;;) {
        runInstruction();
        if (m_state.stopFlag)
            return;
        waitInterval();
    }
}

void tLogoAfterProcess::body()
{
    waitInterval();
    runInstruction();
    m_state.requestStop();
}

tNativeProcess::tNativeProcess(tInprocType kind, std::string name, std::function<void(tProcessState&)> run)
    : tLogoprocess(kind, std::move(name), nullptr), m_run(std::move(run))
{
}

void tNativeProcess::body()
{
    m_run(state());
    state().requestStop();
}

tLogoEventProcess::tLogoEventProcess(std::string name, tNameCode event_, tHandlerLookup lookup)
    : tLogoprocess(ipEvent, std::move(name), nullptr), event(event_), m_lookup(std::move(lookup))
{
}

void tLogoEventProcess::releaseValues()
{
    parameterValue = nullptr;
}

void tLogoEventProcess::body()
{
    m_instruction = m_lookup(object, event);
    if (m_instruction && !(m_instruction->IsList() && m_instruction->IsEmpty())) {
        if (parameterName) {
            m_state.locals->PushEmptyFrame();
            m_state.locals->MakeLocal(parameterName, parameterValue.get());
        }
        runInstruction();
    }
    m_state.requestStop();
}

std::string eventProcessName(const std::string& objectName, tNameCode event)
{
    return "@" + (objectName.empty() ? std::string("nil") : objectName) + NameOf(event);
}

void runEventAndWait(const std::shared_ptr<tLogoEventProcess>& process)
{
    tLogoprocess::start(process);
    process->waitUntilFinished();
}

void stopProcessesOf(tlogoobject* object)
{
    tLogoprocess* self = currentLogoProcess();
    for (const auto& p : processRegistry().snapshot()) {
        if (p.get() == self || !p->started())
            continue;
        if (p->object == object || p->state().currentObject == object) {
            p->requestStop();
            p->waitUntilFinished();
        }
    }
}

void stopAllProcesses(bool spareSystem)
{
    tLogoprocess* self = currentLogoProcess();
    auto spared = [&](const std::shared_ptr<tLogoprocess>& p) {
        return p.get() == self || (spareSystem && p->name().rfind("%p%", 0) == 0);
    };
    // Ask them all first, then wait for them one by one, the newest first, without the registry lock.
    for (const auto& p : processRegistry().snapshot())
        if (!spared(p))
            p->requestStop();
    for (;;) {
        std::vector<std::shared_ptr<tLogoprocess>> left = processRegistry().snapshot();
        std::erase_if(left, spared);
        if (left.empty())
            return;
        left.back()->requestStop();
        left.back()->waitUntilFinished();
    }
}

} // namespace zembrio
