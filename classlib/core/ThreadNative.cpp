// Native side of the thread backend: std::thread (the product uses classlib/win/ThreadWin32.cpp).
#ifndef _WIN32

#include <future>
#include <thread>

#include "classlib/core/TThread.h"

namespace classlib::threads {

struct SysThread {
    std::thread thread;
};

void FreeSysThread(SysThread* t) {
    if (t->thread.joinable()) t->thread.join();
    delete t;
}

namespace {
std::atomic<TThreadID> gNextId{1};
thread_local TThreadID tThreadId = 0;
}  // namespace

TThreadID SysCurrentThreadId() {
    if (tThreadId == 0) tThreadId = gNextId++;
    return tThreadId;
}

SysThread* SysStartThread(TThread* thread, TThreadID& id, THandle& handle) {
    std::promise<TThreadID> started;
    std::future<TThreadID> startedId = started.get_future();
    auto sys = std::make_unique<SysThread>();
    sys->thread = std::thread([thread, started = std::move(started)]() mutable {
        started.set_value(SysCurrentThreadId());
        TThread::ThreadProc(thread);
    });
    id = startedId.get();
    handle = THandle(id);
    return sys.release();
}

void SysWaitThread(SysThread* t, bool serveSync, const std::atomic<bool>& ended) {
    if (serveSync) {
        while (!ended) {
            WaitForSyncOr([&] { return ended.load(); }, 0xFFFFFFFFu);
            CheckSynchronize();
        }
    }
    if (t->thread.joinable()) t->thread.join();
}

void SysDetachThread(SysThread* t) {
    t->thread.detach();
    delete t;
}

}  // namespace classlib::threads

#endif  // !_WIN32
