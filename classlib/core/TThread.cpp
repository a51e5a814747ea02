#include "classlib/core/TThread.h"

#include <thread>

#include "classlib/core/CallbackExceptions.h"
#include "classlib/core/Exceptions.h"

using namespace classlib;

void TThread::AfterConstruction() {
    TObject::AfterConstruction();
    if (!createSuspended_) Start();
}

TThread::~TThread() {
    // Normally BeforeDestruction has ended the thread already; this covers a plain delete.
    EndAndRelease();
}

void TThread::BeforeDestruction() {
    EndAndRelease();
    TObject::BeforeDestruction();
}

void TThread::EndAndRelease() {
    if (!sys_) return;
    if (threads::SysCurrentThreadId() == threadId_) {
        // Freed from its own thread (FreeOnTerminate): nobody waits for it.
        threads::SysDetachThread(sys_.release());
        return;
    }
    if (!ended_) {
        Terminate();
        threads::SysWaitThread(sys_.get(), IsMainThread(), ended_);
    }
    sys_.reset();
}

void TThread::Start() {
    bool expected = false;
    if (!started_.compare_exchange_strong(expected, true)) throw EThread("Thread already started");
    TThreadID id = 0;
    THandle handle = INVALID_HANDLE;
    sys_.reset(threads::SysStartThread(this, id, handle));
    threadId_ = id;
    handle_ = handle;
    // Only now may the thread run: a thread that frees itself must not finish before sys_ is set.
    launched_ = true;
}

std::int32_t TThread::WaitFor() {
    if (freeOnTerminate_) throw EThread("Cannot wait for a thread that frees itself");
    if (!started_) throw EThread("Cannot wait for a thread that was never started");
    if (sys_ && threads::SysCurrentThreadId() == threadId_) throw EThread("A thread cannot wait for itself");
    if (sys_) threads::SysWaitThread(sys_.get(), IsMainThread(), ended_);
    return returnValue_;
}

void TThread::DoTerminate() {
    if (!OnTerminate) return;
    // A failing handler is reported where it ran, on the main thread, like any other callback's error.
    Synchronize([this] {
        try {
            OnTerminate(this);
        } catch (...) {
            HandleCallbackException(this);
        }
    });
}

void TThread::ThreadProc(TThread* thread) {
    // Start sets launched_ a moment after the system thread exists. Not awaited with launched_.wait(): the C++
    // library of the MinGW build (GCC 12) can lose the notify of an atomic wait on a system without futexes, which
    // left a thread asleep here for good on a busy machine (its WaitFor never returned).
    while (!thread->launched_) std::this_thread::yield();
    try {
        if (!thread->terminated_) thread->Execute();
    } catch (...) {
        thread->fatalException_ = std::current_exception();
    }
    const bool freeThread = thread->freeOnTerminate_;
    thread->finished_ = true;
    try {
        thread->DoTerminate();
    } catch (...) {
        // An override of DoTerminate failed: reported, and the thread still ends.
        HandleCallbackException(thread);
    }
    if (freeThread) {
        Free(thread);
    } else {
        thread->ended_ = true;
        threads::NotifySyncWaiters();
    }
}
