// "wait": the process gives up the interpreter lock for the duration, and ends at once when it is told
// to stop meanwhile.
#include "core/InterpreterLock.h"
#include "core/LogoException.h"
#include "runtime/LogoProcess.h"
#include "runtime/Options.h"
#include "runtime/Registration.h"

#include <chrono>
#include <thread>

namespace zembrio {

namespace {

// How often a waiting process looks for a stop request.
constexpr std::chrono::milliseconds kStopPoll{10};

tlogoobject* wait(tArgs& a)
{
    if (currentProcess() != &a.ps)
        throw eLogoException(erInternWait0);
    const auto duration = std::chrono::milliseconds(elapseToMilliseconds(a[0]->AsInteger()));
    tLockReleased released(a.ps);
    if (a.ps.process) {
        // The stop event ends the wait at once.
        if (a.ps.process->stopEvent.wait(duration))
            throw eTerminateException(0);
        return nullptr;
    }
    // A thread without a process record (a test's) can only be asked to stop through its state.
    const auto end = std::chrono::steady_clock::now() + duration;
    for (auto now = std::chrono::steady_clock::now(); now < end; now = std::chrono::steady_clock::now()) {
        if (a.ps.stopRequested())
            throw eTerminateException(0);
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(end - now, kStopPoll));
    }
    return nullptr;
}

} // namespace

void registerWait(tLogoTab& table)
{
    registerMain(table, "wait", 1, false, wait);
}

} // namespace zembrio
