#include "classlib/core/Synchronize.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "classlib/core/Exceptions.h"

namespace {

struct SyncRequest {
    TThreadProcedure proc;
    std::exception_ptr error;
    bool done = false;
};

struct SyncState {
    std::mutex lock;
    std::condition_variable changed;  // a request arrived or finished, or a waiter should look again
    std::vector<std::shared_ptr<SyncRequest>> pending;
    TNotifyEvent wake;
    classlib::threads::SyncSignal signal = nullptr;
    std::thread::id mainThread = std::this_thread::get_id();
};

// Made on first use; the first use of this library happens on the thread that starts the program,
// which therefore becomes the main thread.
SyncState& State() {
    static SyncState state;
    return state;
}

// Touch the state while the program starts, so that the starting thread is recorded as the main one
// even when a worker is the first to synchronise.
[[maybe_unused]] const bool kStateMade = (State(), true);

}  // namespace

bool IsMainThread() { return std::this_thread::get_id() == State().mainThread; }

void SetMainThreadToCurrent() {
    SyncState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.mainThread = std::this_thread::get_id();
}

void SetWakeMainThread(const TNotifyEvent& wake) {
    SyncState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.wake = wake;
}

TNotifyEvent GetWakeMainThread() {
    SyncState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.wake;
}

void Synchronize(TObject* sender, const TThreadProcedure& proc) {
    if (!proc) return;
    if (IsMainThread()) {
        proc();
        return;
    }
    SyncState& s = State();
    auto request = std::make_shared<SyncRequest>();
    request->proc = proc;
    TNotifyEvent wake;
    {
        std::lock_guard<std::mutex> guard(s.lock);
        s.pending.push_back(request);
        if (s.signal) s.signal(true);
        wake = s.wake;
        s.changed.notify_all();
    }
    if (wake) wake(sender);
    {
        std::unique_lock<std::mutex> guard(s.lock);
        s.changed.wait(guard, [&] { return request->done; });
    }
    if (request->error) std::rethrow_exception(request->error);
}

bool CheckSynchronize(unsigned timeoutMs) {
    if (!IsMainThread()) throw EThread("CheckSynchronize called from a thread that is not the main thread");
    SyncState& s = State();
    std::vector<std::shared_ptr<SyncRequest>> batch;
    {
        std::unique_lock<std::mutex> guard(s.lock);
        if (timeoutMs > 0 && s.pending.empty())
            s.changed.wait_for(guard, std::chrono::milliseconds(timeoutMs), [&] { return !s.pending.empty(); });
        // Take the waiting calls out, so that a call that re-enters here (from a modal loop) runs only
        // calls that arrived after it, and the lock is never held while one runs.
        batch.swap(s.pending);
        if (s.signal) s.signal(false);
    }
    for (const auto& request : batch) {
        try {
            request->proc();
        } catch (...) {
            request->error = std::current_exception();
        }
        std::lock_guard<std::mutex> guard(s.lock);
        request->done = true;
        s.changed.notify_all();
    }
    return !batch.empty();
}

namespace classlib::threads {

void SetSyncSignal(SyncSignal signal) {
    SyncState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.signal = signal;
    if (signal && !s.pending.empty()) signal(true);
}

bool WaitForSyncOr(const std::function<bool()>& wake, unsigned timeoutMs) {
    SyncState& s = State();
    std::unique_lock<std::mutex> guard(s.lock);
    auto ready = [&] { return !s.pending.empty() || wake(); };
    if (timeoutMs == 0xFFFFFFFFu) {
        s.changed.wait(guard, ready);
        return true;
    }
    return s.changed.wait_for(guard, std::chrono::milliseconds(timeoutMs), ready);
}

void NotifySyncWaiters() {
    SyncState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.changed.notify_all();
}

}  // namespace classlib::threads
