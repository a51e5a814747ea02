// Locks and events shared between threads.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "classlib/core/TObject.h"

// A lock that one thread holds at a time; the holder may take it again (nested Enter/Leave pairs).
class TCriticalSection : public TObject {
    CLASSLIB_CLASS(TCriticalSection, TObject)
public:
    void Enter() { lock_.lock(); }
    void Leave() { lock_.unlock(); }
    bool TryEnter() { return lock_.try_lock(); }
    void Acquire() { Enter(); }
    void Release() { Leave(); }

private:
    std::recursive_mutex lock_;
};

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };
inline constexpr std::uint32_t INFINITE_WAIT = 0xFFFFFFFFu;

// An event that threads wait for. Manual reset: stays set until ResetEvent, releasing every waiter.
// Auto reset: one waiter passes and the event clears itself again.
class TEvent : public TObject {
    CLASSLIB_CLASS(TEvent, TObject)
public:
    TEvent(bool manualReset, bool initialState) : manualReset_(manualReset), signaled_(initialState) {}
    void SetEvent();
    void ResetEvent();
    // Waits up to timeoutMs (INFINITE_WAIT: for ever); 0 only looks.
    TWaitResult WaitFor(std::uint32_t timeoutMs);

private:
    std::mutex lock_;
    std::condition_variable changed_;
    bool manualReset_;
    bool signaled_;
};

// A manual-reset event that starts clear.
class TSimpleEvent : public TEvent {
    CLASSLIB_CLASS(TSimpleEvent, TEvent)
public:
    TSimpleEvent() : TEvent(true, false) {}
};

// Many readers or one writer. Both locks nest on one thread, a writer may also read, and a reader may
// ask to write: it waits until the other readers have left. BeginWrite answers false when another
// writer got in between that request and this one's turn, so what was read before may have changed.
class TMultiReadExclusiveWriteSynchronizer : public TObject {
    CLASSLIB_CLASS(TMultiReadExclusiveWriteSynchronizer, TObject)
public:
    void BeginRead();
    void EndRead();
    bool BeginWrite();
    void EndWrite();
    // The threads waiting inside BeginWrite now: a state that callers coordinating with a writer can wait for.
    int WaitingWriters() const;

private:
    struct Reader {
        std::thread::id thread;
        int depth;
    };
    Reader* FindReader(std::thread::id id);

    mutable std::mutex lock_;
    std::condition_variable changed_;
    std::vector<Reader> readers_;  // threads holding read locks
    int activeReaders_ = 0;        // of those, the ones not waiting to write or writing
    std::thread::id writer_;
    int writeDepth_ = 0;
    int waitingWriters_ = 0;
    std::uint64_t writeCount_ = 0;  // completed write grants
};

// The process-wide lock around building forms and frames from their builders.
TMultiReadExclusiveWriteSynchronizer& GlobalNameSpace();
