// Win32 side of the thread backend: threads from _beginthreadex, and a wait on the main thread that
// keeps serving synchronised calls and sent messages (natively: ThreadNative.cpp).
#ifdef _WIN32

#include <process.h>

#include <cerrno>
#include <mutex>
#include <string>

#include "classlib/core/TThread.h"
#include "classlib/core/Win32Calls.h"

namespace classlib::threads {

using namespace classlib::win32;

struct SysThread {
    Handle handle = nullptr;
};

void SysThreadDeleter::operator()(SysThread* t) const {
    if (t->handle) {
        ::WaitForSingleObject(t->handle, Infinite);
        ::CloseHandle(t->handle);
    }
    delete t;
}

namespace {

unsigned __stdcall ThreadEntry(void* arg) {
    TThread::ThreadProc(static_cast<TThread*>(arg));
    return 0;
}

// Set while synchronised calls wait: one of the two objects the main thread's WaitFor waits on.
Handle SyncEvent() {
    static Handle event = nullptr;
    static std::once_flag made;
    std::call_once(made, [] {
        event = ::CreateEventA(nullptr, 1, 0, nullptr);
        SetSyncSignal([](bool pending) {
            if (pending)
                ::SetEvent(event);
            else
                ::ResetEvent(event);
        });
    });
    return event;
}

}  // namespace

TThreadID SysCurrentThreadId() { return ::GetCurrentThreadId(); }

SysThread* SysStartThread(TThread* thread, TThreadID& id, THandle& handle) {
    SyncEvent();  // ready before any worker can synchronise
    unsigned threadId = 0;
    const uintptr_t h = ::_beginthreadex(nullptr, 0, &ThreadEntry, thread, 0, &threadId);
    if (h == 0) throw EThread("Thread creation error: " + std::to_string(errno));
    auto sys = new SysThread;
    sys->handle = reinterpret_cast<Handle>(h);
    id = threadId;
    handle = THandle(h);
    return sys;
}

void SysWaitThread(SysThread* t, bool serveSync, const std::atomic<bool>&) {
    if (!serveSync) {
        ::WaitForSingleObject(t->handle, Infinite);
        return;
    }
    Handle objects[2] = {t->handle, SyncEvent()};
    while (true) {
        const Dword r = ::MsgWaitForMultipleObjects(2, objects, 0, Infinite, QsSendMessage);
        if (r == WaitObject0) return;
        if (r == WaitObject0 + 1) {
            CheckSynchronize();
        } else if (r == WaitObject0 + 2) {
            // Sent messages are delivered while looking at the queue (no removal); posted ones stay.
            alignas(8) unsigned char msg[64];
            ::PeekMessageA(msg, nullptr, 0, 0, 0);
        } else {
            ::WaitForSingleObject(t->handle, Infinite);
            return;
        }
    }
}

void SysDetachThread(SysThread* t) {
    ::CloseHandle(t->handle);
    t->handle = nullptr;
    delete t;
}

}  // namespace classlib::threads

#endif  // _WIN32
