// Worker threads: a subclass puts its work in Execute; Synchronize hands calls to the main thread.
#pragma once
#include <atomic>
#include <cstdint>
#include <exception>
#include <memory>

#include "classlib/core/FileBackend.h"
#include "classlib/core/Method.h"
#include "classlib/core/Synchronize.h"
#include "classlib/core/TObject.h"

using TThreadID = std::uint32_t;

namespace classlib::threads {
struct SysThread;
// Waits for the thread to end, then frees its state.
void FreeSysThread(SysThread* thread);
}  // namespace classlib::threads

class TThread : public TObject {
    CLASSLIB_CLASS(TThread, TObject)
public:
    // A thread made suspended runs once Start is called; otherwise it starts as soon as it is fully
    // built (AfterConstruction: create it with Create<T> or MakeObject<T>), never while a subclass
    // constructor is still running.
    explicit TThread(bool createSuspended) : createSuspended_(createSuspended) {}
    void AfterConstruction() override;
    // Ends a running thread first: Terminate, then WaitFor (see BeforeDestruction).
    ~TThread() override;

    // Starts a thread made suspended; raises EThread when it already runs or has run.
    void Start();
    void Resume() { Start(); }
    bool Suspended() const { return !started_; }

    // Asks Execute to finish: sets Terminated, which Execute polls.
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    // True once Execute has returned (or raised).
    bool Finished() const { return finished_; }

    // Waits until the thread has ended and returns ReturnValue. On the main thread it keeps running
    // synchronised calls meanwhile, so a worker that synchronises while ending cannot dead-lock it.
    // Raises EThread for a thread that frees itself, and when called from the thread itself.
    std::int32_t WaitFor();

    // The thread frees itself after Execute and OnTerminate; nobody may touch it afterwards.
    bool FreeOnTerminate() const { return freeOnTerminate_; }
    void SetFreeOnTerminate(bool value) { freeOnTerminate_ = value; }
    // Runs on the main thread (through Synchronize) after Execute has returned; sender is the thread.
    TNotifyEvent OnTerminate;

    // The exception that ended Execute, or null.
    std::exception_ptr FatalException() const { return fatalException_; }
    std::int32_t ReturnValue() const { return returnValue_; }
    TThreadID ThreadID() const { return threadId_; }
    // The system's handle of the thread (a thread handle in the product); invalid before Start.
    THandle Handle() const { return handle_; }

    // Ends the thread before any destructor runs, while the subclass's members still exist.
    void BeforeDestruction() override;

    // Runs proc on the main thread for this thread (or for any caller, with the static form).
    void Synchronize(const TThreadProcedure& proc) { ::Synchronize(this, proc); }
    static void Synchronize(TThread* thread, const TThreadProcedure& proc) { ::Synchronize(thread, proc); }

    // Entry of the system thread; for the backends only.
    static void ThreadProc(TThread* thread);

protected:
    // The work. Runs once on the new thread; an exception ends it and becomes FatalException.
    virtual void Execute() = 0;
    // Called after Execute on the thread itself: runs OnTerminate on the main thread.
    virtual void DoTerminate();
    void SetReturnValue(std::int32_t value) { returnValue_ = value; }

private:
    void EndAndRelease();

    TOwned<classlib::threads::SysThread, classlib::threads::FreeSysThread> sys_;
    bool createSuspended_;
    std::atomic<bool> started_{false};
    std::atomic<bool> launched_{false};  // Start has recorded the system thread; ThreadProc may run
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    std::atomic<bool> ended_{false};  // ThreadProc has nothing left to do with the object
    std::atomic<bool> freeOnTerminate_{false};
    std::exception_ptr fatalException_;
    std::int32_t returnValue_ = 0;
    std::atomic<TThreadID> threadId_{0};
    std::atomic<THandle> handle_{INVALID_HANDLE};
};

namespace classlib::threads {
// The system side: one implementation per system.
// Starts a system thread that calls TThread::ThreadProc(thread); fills id and handle.
SysThread* SysStartThread(TThread* thread, TThreadID& id, THandle& handle);
// Waits until the system thread has ended. serveSync: the caller is the main thread and keeps running
// synchronised calls (CheckSynchronize) while it waits; ended tells when the thread's work is over.
void SysWaitThread(SysThread* thread, bool serveSync, const std::atomic<bool>& ended);
// Lets a system thread run on without anybody waiting for it (a thread that frees itself).
void SysDetachThread(SysThread* thread);
TThreadID SysCurrentThreadId();
}  // namespace classlib::threads
