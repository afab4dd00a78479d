#include "platform/ProcessStack.h"

#include <pthread.h>

#include <exception>
#include <memory>
#include <stdexcept>

namespace zembrio {

namespace {

struct tJob {
    const std::function<void()>* fn;
    std::exception_ptr error;
};

void* runJob(void* data)
{
    auto* job = static_cast<tJob*>(data);
    try {
        (*job->fn)();
    } catch (...) {
        job->error = std::current_exception();
    }
    return nullptr;
}

} // namespace

void runOnProcessStack(const std::function<void()>& fn)
{
    tJob job{&fn, nullptr};
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, kProcessStackSize);
    pthread_t thread;
    const int rc = pthread_create(&thread, &attr, runJob, &job);
    pthread_attr_destroy(&attr);
    if (rc != 0)
        throw std::runtime_error("cannot start a thread for Logo");
    pthread_join(thread, nullptr);
    if (job.error)
        std::rethrow_exception(job.error);
}

namespace {

void* runFunction(void* data)
{
    std::unique_ptr<std::function<void()>> fn(static_cast<std::function<void()>*>(data));
    (*fn)();
    return nullptr;
}

} // namespace

tThreadHandle startProcessThread(std::function<void()> fn)
{
    auto* owned = new std::function<void()>(std::move(fn));
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, kProcessStackSize);
    pthread_t thread;
    const int rc = pthread_create(&thread, &attr, runFunction, owned);
    pthread_attr_destroy(&attr);
    if (rc != 0) {
        delete owned;
        throw std::runtime_error("cannot start a thread for Logo");
    }
    return static_cast<tThreadHandle>(thread);
}

void joinThread(tThreadHandle thread)
{
    pthread_join(static_cast<pthread_t>(thread), nullptr);
}

} // namespace zembrio
