// Processes from Logo: starting them ("launch", "forever", "every", "after"), stopping them ("cancel",
// "stopme", "stopall"), asking about them, pausing them, and named critical sections.
#include "core/DictionaryLookup.h"
#include "core/Evaluator.h"
#include "core/InterpreterLock.h"
#include "core/LogoException.h"
#include "core/LogoValues.h"
#include "core/NameCompare.h"
#include "core/ValuePools.h"
#include "core/VariableTables.h"
#include "runtime/LogoProcess.h"
#include "runtime/Options.h"
#include "runtime/Registration.h"

#include <map>

namespace zembrio {

namespace {

tNameCode primitiveCode(std::string_view key)
{
    return Intern(primaryName("dict", key));
}

void checkInputCount(tArgs& a, std::string_view key, int32_t least, int32_t most)
{
    if (a.count() < least)
        throw eLogoException::withCulpritCode(erNotEnoughInputs, primitiveCode(key));
    if (a.count() > most)
        throw eLogoException::withCulpritCode(erTooManyInputs, primitiveCode(key));
}

// The process name: the printed form of the given name, or of the list when there is none.
std::string processName(tlogoobject* nameValue)
{
    std::string name = nameValue->PrintText();
    if (name.empty() || name[0] == '@')
        throw eLogoException(erBadValue, nameValue);
    return name;
}

// A user process takes over its creator's object, table, commander and a copy of its locals.
void startUserProcess(tArgs& a, const std::shared_ptr<tLogoprocess>& process, tlogoobject* nameValue)
{
    process->object = a.ps.currentObject;
    process->methodTable = a.ps.currentTable;
    process->locals.reset(a.ps.locals->Duplicate());
    process->commander = a.ps.process ? a.ps.process->commander : nullptr;
    process->userName = nameValue;
    tLogoprocess::start(process);
}

tlogoobject* launchLike(tArgs& a, std::string_view key, tInprocType kind)
{
    checkInputCount(a, key, 1, 2);
    tlogoobject* nameValue = a.count() == 2 ? a[1] : a[0];
    const std::string name = processName(nameValue);
    std::shared_ptr<tLogoprocess> process;
    if (kind == ipForever)
        process = std::make_shared<tLogoForeverProcess>(kind, name, a[0]);
    else
        process = std::make_shared<tLogoprocess>(kind, name, a[0]);
    startUserProcess(a, process, nameValue);
    return nullptr;
}

tlogoobject* launch(tArgs& a)
{
    return launchLike(a, "launch", ipLaunch);
}

tlogoobject* forever(tArgs& a)
{
    return launchLike(a, "forever", ipForever);
}

tlogoobject* timed(tArgs& a, std::string_view key, tInprocType kind)
{
    checkInputCount(a, key, 2, 3);
    const int64_t interval = elapseToMilliseconds(a[0]->AsInteger());
    tlogoobject* nameValue = a.count() == 3 ? a[2] : a[1];
    const std::string name = processName(nameValue);
    std::shared_ptr<tLogoprocess> process;
    if (kind == ipEvery)
        process = std::make_shared<tLogoEveryProcess>(kind, name, a[1], interval);
    else
        process = std::make_shared<tLogoAfterProcess>(kind, name, a[1], interval);
    startUserProcess(a, process, nameValue);
    return nullptr;
}

tlogoobject* every(tArgs& a)
{
    return timed(a, "every", ipEvery);
}

tlogoobject* after(tArgs& a)
{
    return timed(a, "after", ipAfter);
}

bool hasName(const tLogoprocess& p, const std::string& name)
{
    return sameName(p.name(), name);
}

tlogoobject* cancel(tArgs& a)
{
    const std::string name = a[0]->PrintText();
    tLogoprocess* self = currentLogoProcess();
    bool selfNamed = false;
    for (;;) {
        // The newest other process of that name, stopped with no lock of ours held while we wait.
        std::shared_ptr<tLogoprocess> target;
        for (const auto& p : processRegistry().snapshot()) {
            if (!hasName(*p, name))
                continue;
            if (p.get() == self)
                selfNamed = true;
            else
                target = p;
        }
        if (!target)
            break;
        target->requestStop();
        target->waitUntilFinished();
    }
    if (selfNamed)
        throw eTerminateException(1);
    return nullptr;
}

tlogoobject* stopme(tArgs&)
{
    throw eTerminateException(1);
}

tlogoobject* stopall(tArgs&)
{
    stopAllProcesses(true);
    throw eTerminateException(0); // not caught by "catch"
}

tlogoobject* done(tArgs& a)
{
    const std::string name = a[0]->PrintText();
    for (const auto& p : processRegistry().snapshot())
        if (hasName(*p, name))
            return makeBool(false);
    return makeBool(true);
}

tlogoobject* allprocesses(tArgs&)
{
    tListBuilder names;
    for (const auto& p : processRegistry().snapshot()) {
        if (p->userName)
            names.append(p->userName.get());
        else
            names.append(tValue(makeWord(p->name())).get());
    }
    return handOver(names.take());
}

tlogoobject* processname(tArgs&)
{
    tLogoprocess* self = currentLogoProcess();
    return makeWord(self ? self->name() : std::string());
}

tlogoobject* pauseall(tArgs&)
{
    for (const auto& p : processRegistry().snapshot()) {
        p->pauseEvent.reset();
        p->state().attention.fetch_or(kAttentionPause);
    }
    return nullptr;
}

tlogoobject* resumeall(tArgs&)
{
    for (const auto& p : processRegistry().snapshot()) {
        p->state().attention.fetch_and(uint8_t(~kAttentionPause));
        p->pauseEvent.signal();
    }
    return nullptr;
}

// Named critical sections: made on first use, never freed (projects use a handful of names).
std::mutex gSectionsMutex;
std::map<std::string, std::unique_ptr<tEvent>> gSections;

tEvent& section(const std::string& name)
{
    std::string key;
    for (char c : name)
        key += static_cast<char>(foldNameChar(static_cast<unsigned char>(c)));
    std::lock_guard lock(gSectionsMutex);
    auto& s = gSections[key];
    if (!s)
        s = std::make_unique<tEvent>(tEvent::tReset::automatic, true);
    return *s;
}

// Holds a named section for a scope: taken with the interpreter lock released, so a waiting process
// never blocks the others; given back on every way out.
class tCriticalSection {
public:
    tCriticalSection(tProcessState& ps, const std::string& name) : m_section(section(name))
    {
        tLockReleased released(ps);
        if (ps.process) {
            if (tEvent::waitAny(m_section, ps.process->stopEvent) == tEvent::tWaitResult::second)
                throw eTerminateException(0);
        } else {
            m_section.wait();
        }
    }
    ~tCriticalSection() { m_section.signal(); }
    tCriticalSection(const tCriticalSection&) = delete;
    tCriticalSection& operator=(const tCriticalSection&) = delete;

private:
    tEvent& m_section;
};

tlogoobject* runCriticalValue(tArgs& a)
{
    tCriticalSection held(a.ps, a[0]->PrintText());
    return handOver(EvaluateInstructions(a.ps, a[1]));
}

tlogoobject* runCriticalCommand(tArgs& a)
{
    tCriticalSection held(a.ps, a[0]->PrintText());
    RunInstructions(a.ps, a[1]);
    return nullptr;
}

} // namespace

void registerProcessPrimitives(tLogoTab& table)
{
    registerMain(table, "launch", 1, true, launch);
    registerMain(table, "forever", 1, true, forever);
    registerMain(table, "every", 2, true, every);
    registerMain(table, "after", 2, true, after);
    registerMain(table, "cancel", 1, false, cancel);
    registerMain(table, "stopme", 0, false, stopme);
    registerMain(table, "stopall", 0, false, stopall);
    registerMain(table, "done?", 1, false, done);
    registerMain(table, "allprocesses", 0, false, allprocesses);
    registerMain(table, "processname", 0, false, processname);
    registerMain(table, "pauseall", 0, false, pauseall);
    registerMain(table, "resumeall", 0, false, resumeall);
    registerEachSpelling(table, "runcritical", [](tNameCode code) {
        return new tMainPasProcDescF(code, 2, runCriticalValue, runCriticalCommand);
    });
}

} // namespace zembrio
