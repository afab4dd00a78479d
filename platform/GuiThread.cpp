#include "platform/GuiThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <atomic>
#include <chrono>
#include <thread>

namespace zembrio {

namespace {
std::atomic<bool> gHaveGuiThread{false};
constexpr int kPollMs = 1;
} // namespace

void adoptGuiThread()
{
    gHaveGuiThread.store(QCoreApplication::instance() != nullptr);
}

void releaseGuiThread()
{
    gHaveGuiThread.store(false);
}

bool isGuiThread()
{
    QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

void runInGuiThread(const std::function<void()>& fn)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!gHaveGuiThread.load() || !app || isGuiThread()) {
        fn();
        return;
    }
    QMetaObject::invokeMethod(app, fn, Qt::BlockingQueuedConnection);
}

void waitServingGuiRequests(const std::function<bool()>& done)
{
    const bool serve = isGuiThread();
    while (!done()) {
        if (serve)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
}

} // namespace zembrio
