// Win32 side of the thread backend: threads from _beginthreadex, and a wait on the main thread that
// keeps serving synchronised calls and sent messages (natively: ThreadNative.cpp).

#include "classlib/win/Win32.h"

#include <process.h>

#include <cerrno>
#include <mutex>
#include <string>

#include "classlib/core/TThread.h"

namespace classlib::threads {

struct SysThread {
    HANDLE handle = nullptr;
};

void FreeSysThread(SysThread* t) {
    if (t->handle) {
        ::WaitForSingleObject(t->handle, INFINITE);
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
HANDLE SyncEvent() {
    static HANDLE event = nullptr;
    static std::once_flag made;
    std::call_once(made, [] {
        event = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
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
    sys->handle = reinterpret_cast<HANDLE>(h);
    id = threadId;
    handle = THandle(h);
    return sys;
}

void SysWaitThread(SysThread* t, bool serveSync, const std::atomic<bool>&) {
    if (!serveSync) {
        ::WaitForSingleObject(t->handle, INFINITE);
        return;
    }
    HANDLE objects[2] = {t->handle, SyncEvent()};
    while (true) {
        const DWORD r = ::MsgWaitForMultipleObjects(2, objects, FALSE, INFINITE, QS_SENDMESSAGE);
        if (r == WAIT_OBJECT_0) return;
        if (r == WAIT_OBJECT_0 + 1) {
            CheckSynchronize();
        } else if (r == WAIT_OBJECT_0 + 2) {
            // Sent messages are delivered while looking at the queue (no removal); posted ones stay.
            MSG msg;
            ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        } else {
            ::WaitForSingleObject(t->handle, INFINITE);
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
