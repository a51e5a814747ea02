// Calls from worker threads into the main thread.
//
// A worker hands a call to Synchronize and waits; the main thread runs waiting calls whenever it calls
// CheckSynchronize: from the application's idle handling, from the window procedure of its hidden
// window (which receives the wake-up), or from TThread::WaitFor. CheckSynchronize is re-entrant: a
// call it runs may open a modal loop that calls it again.
#pragma once
#include <functional>

#include "classlib/core/Method.h"

// A call made on the main thread on behalf of another thread: a method reference or any callable.
using TThreadProcedure = std::function<void()>;

// Runs proc on the main thread and returns when it has run there. On the main thread it runs at once.
// An exception raised by proc is raised again in the calling thread. sender (may be null) is passed to
// WakeMainThread.
void Synchronize(TObject* sender, const TThreadProcedure& proc);

// Runs every call waiting for the main thread; with timeoutMs > 0 first waits up to that long for one
// to arrive. Returns whether any ran. Only the main thread may call it: elsewhere it raises EThread.
bool CheckSynchronize(unsigned timeoutMs = 0);

// The wake-up called (from the worker) each time a call starts waiting; the default is empty. The
// application sets it to post a message to its hidden window; a component that serves the calls in
// its own way may replace it for the whole run and put the previous one back later.
void SetWakeMainThread(const TNotifyEvent& wake);
TNotifyEvent GetWakeMainThread();

// The main thread is the thread that started the program (the one that initialised this library).
bool IsMainThread();
// For hosts and tests whose main loop runs on another thread: makes the calling thread the main one.
void SetMainThreadToCurrent();

namespace classlib::threads {
// A system-specific waiter (the Windows backend's event handle) learns of arriving calls through
// this signal: called with true when a call starts waiting, with false when CheckSynchronize takes
// the waiting calls. Null when nobody needs it.
using SyncSignal = void (*)(bool pending);
void SetSyncSignal(SyncSignal signal);
// Waits (natively) until a call is waiting or wake() returns true, re-checking after NotifySyncWaiters.
bool WaitForSyncOr(const std::function<bool()>& wake, unsigned timeoutMs);
// Wakes threads blocked in WaitForSyncOr so that they check their condition again.
void NotifySyncWaiters();
}  // namespace classlib::threads
