// The GUI thread against the interpreter lock: a process that holds the lock and hands work to the GUI
// thread, while the GUI thread waits for that very process, must not dead-lock.
#include "core/LogoValues.h"
#include "core/ValuePools.h"
#include "platform/GuiThread.h"
#include "runtime/GlobalLock.h"
#include "runtime/LogoProcess.h"
#include "tests/support/RuntimeWorld.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>

using namespace zembrio;
using namespace zembrio::testing;

namespace {

class GuiThreadTest : public ::testing::Test {
protected:
    void SetUp() override { adoptGuiThread(); }
    void TearDown() override { releaseGuiThread(); }

    static QCoreApplication& app()
    {
        static int argc = 1;
        static char name[] = "test_runtime";
        static char* argv[] = {name, nullptr};
        static QCoreApplication instance(argc, argv);
        return instance;
    }

    QCoreApplication& m_app = app();
    tRuntimeWorld w;
};

} // namespace

TEST_F(GuiThreadTest, WaitingForAProcessServesItsHandOvers)
{
    std::atomic<int> ranInGui{0};
    const auto guiThread = QThread::currentThread();
    auto process = std::make_shared<tNativeProcess>(ipLaunch, "handing over", [&](tProcessState&) {
        // Window work in the middle of the process, with the lock held.
        runInGuiThread([&] { ranInGui += QThread::currentThread() == guiThread; });
    });
    // The completion notification runs in the GUI thread too, while the ending process holds the lock.
    process->completion = [&] { ranInGui += QThread::currentThread() == guiThread; };
    tLogoprocess::start(process);
    process->waitUntilFinished(); // the GUI thread waits: it must keep serving
    EXPECT_EQ(ranInGui.load(), 2);
    processRegistry().reapFinished();
}

TEST_F(GuiThreadTest, StoppingAllFromTheGuiThread)
{
    // What zembrio-run does at its time-out: the GUI thread stops processes that print forever.
    auto printer = std::make_shared<tLogoForeverProcess>(ipForever, "printer", tValue(makeWord("type 1")).get());
    tLogoprocess::start(printer);
    while (!printer->started())
        QCoreApplication::processEvents();
    stopAllProcesses(false);
    EXPECT_TRUE(printer->finished());
    processRegistry().reapFinished();
}
