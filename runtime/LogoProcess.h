// Logo processes: each an operating-system thread with its own interpreter context, running under the
// global interpreter lock, registered while it lives, stopped cooperatively.
#pragma once

#include "core/LogoObject.h"
#include "core/ProcessKind.h"
#include "core/ProcessState.h"
#include "platform/Event.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zembrio {

class tCommander;
class tLogoLocaltab;

class tLogoprocess : public std::enable_shared_from_this<tLogoprocess> {
public:
    tLogoprocess(tInprocType kind, std::string name, tlogoobject* instruction);
    virtual ~tLogoprocess();
    tLogoprocess(const tLogoprocess&) = delete;
    tLogoprocess& operator=(const tLogoprocess&) = delete;

    // What the process starts with; set before start().
    tlogoobject* object = nullptr;            // current object at start (the main object when none)
    tLogoTab* methodTable = nullptr;
    std::unique_ptr<tLogoLocaltab> locals;    // a new empty table when none
    tCommander* commander = nullptr;          // the default commander when none
    std::function<void()> completion;         // run in the GUI thread when the thread ends
    tValue userName;                          // the name value a user gave ("allprocesses" lists it)

    // Registers the process and starts its thread.
    static void start(const std::shared_ptr<tLogoprocess>& process);

    const std::string& name() const { return m_name; }
    tInprocType kind() const { return m_kind; }
    bool finished() const { return m_finished.load(); }
    bool started() const { return m_started.load(); }
    tProcessState& state() { return m_state; }

    // Asks the process to stop: seen at its next yield point or inside its current wait.
    void requestStop();
    // Waits until the thread has ended; a process caller gives up the interpreter lock meanwhile.
    void waitUntilFinished();

    tEvent stopEvent{tEvent::tReset::manual, false};
    tEvent pauseEvent{tEvent::tReset::manual, true}; // may run only while signalled
    tEvent doneEvent{tEvent::tReset::manual, false};  // the body ended because of a stop request

protected:
    // What the process runs; returns normally when done. The loop of the thread function runs it until a
    // stop is requested.
    virtual void body();
    // Runs the instruction once as commands.
    void runInstruction();
    // Drops the Logo values a subclass keeps; called at the end of the thread, under the lock.
    virtual void releaseValues() {}
    tValue m_instruction;
    tProcessState m_state;

private:
    void threadMain();
    void runBodyReportingErrors();
    void reportError(std::exception& error);

    const tInprocType m_kind;
    const std::string m_name;
    const bool m_createdWhileLoading; // such processes do not mark the project as changed
    std::atomic<bool> m_started{false};
    std::atomic<bool> m_finished{false};
    tEvent m_finishedEvent{tEvent::tReset::manual, false};
    unsigned long m_thread = 0; // the platform thread, joined when the registry reaps it
    friend class tProcessRegistry;
};

// "forever": the instruction again and again.
class tLogoForeverProcess : public tLogoprocess {
public:
    using tLogoprocess::tLogoprocess;

protected:
    void body() override;
};

// "every": the instruction, then the interval, again and again; "after": the interval, then once.
class tLogoEveryProcess : public tLogoprocess {
public:
    tLogoEveryProcess(tInprocType kind, std::string name, tlogoobject* instruction, int64_t intervalMs);

protected:
    void body() override;
    void waitInterval();
    int64_t m_intervalMs;
};

class tLogoAfterProcess : public tLogoEveryProcess {
public:
    using tLogoEveryProcess::tLogoEveryProcess;

protected:
    void body() override;
};

// A process whose body is C++ (the loading of a project, for example).
class tNativeProcess : public tLogoprocess {
public:
    tNativeProcess(tInprocType kind, std::string name, std::function<void(tProcessState&)> run);

protected:
    void body() override;

private:
    std::function<void(tProcessState&)> m_run;
};

// An event handler run as a process of kind ipEvent. The handler is looked up by the process itself,
// once it holds the interpreter lock: the GUI thread that starts event processes never touches Logo
// values. A handler that turns out empty runs nothing.
class tLogoEventProcess : public tLogoprocess {
public:
    using tHandlerLookup = std::function<tValue(tlogoobject* object, tNameCode event)>;
    tLogoEventProcess(std::string name, tNameCode event, tHandlerLookup lookup);

    tNameCode event;
    tNameCode parameterName = 0; // with a parameter: one local variable for the handler
    tValue parameterValue;

protected:
    void body() override;
    void releaseValues() override;

private:
    tHandlerLookup m_lookup;
};

// The process name of an object's event: "@" + object name + event name ("@nil…" without an object).
std::string eventProcessName(const std::string& objectName, tNameCode event);
// Starts the event process and waits until it ends: a process waits with the lock released, the GUI
// thread serving hand-overs.
void runEventAndWait(const std::shared_ptr<tLogoEventProcess>& process);

// Every live process, in creation order, under its own lock.
class tProcessRegistry {
public:
    void add(const std::shared_ptr<tLogoprocess>& process);
    void remove(tLogoprocess* process);
    std::vector<std::shared_ptr<tLogoprocess>> snapshot() const;
    bool empty() const;
    // Joins the threads of processes that have ended.
    void reapFinished();

private:
    mutable std::mutex m_mutex;
    std::vector<std::shared_ptr<tLogoprocess>> m_processes;
    std::vector<std::shared_ptr<tLogoprocess>> m_ended; // waiting to be joined
};

tProcessRegistry& processRegistry();

// The process of the calling thread, or nullptr.
tLogoprocess* currentLogoProcess();

// Stops every process but the caller (and, with spareSystem, those named "%p%…"), waiting for each.
void stopAllProcesses(bool spareSystem);
// Before an object goes: stops the processes that belong to it or run as it (the caller excepted).
void stopProcessesOf(tlogoobject* object);

// A report of an error that ended a process, for those who watch (zembrio-run's exit status).
void onProcessError(void (*listener)());
// Called, on the thread of the process that ended, whenever the last registered process has ended.
void onAllProcessesEnded(void (*listener)());

} // namespace zembrio
