#include "classlib/core/TSyncObjects.h"

#include <chrono>

#include "classlib/core/Exceptions.h"

void TEvent::SetEvent() {
    std::lock_guard<std::mutex> guard(lock_);
    signaled_ = true;
    if (manualReset_)
        changed_.notify_all();
    else
        changed_.notify_one();
}

void TEvent::ResetEvent() {
    std::lock_guard<std::mutex> guard(lock_);
    signaled_ = false;
}

TWaitResult TEvent::WaitFor(std::uint32_t timeoutMs) {
    std::unique_lock<std::mutex> guard(lock_);
    auto isSet = [this] { return signaled_; };
    if (timeoutMs == INFINITE_WAIT)
        changed_.wait(guard, isSet);
    else if (!changed_.wait_for(guard, std::chrono::milliseconds(timeoutMs), isSet))
        return wrTimeout;
    if (!manualReset_) signaled_ = false;
    return wrSignaled;
}

TMultiReadExclusiveWriteSynchronizer::Reader* TMultiReadExclusiveWriteSynchronizer::FindReader(std::thread::id id) {
    for (Reader& r : readers_)
        if (r.thread == id) return &r;
    return nullptr;
}

void TMultiReadExclusiveWriteSynchronizer::BeginRead() {
    const auto me = std::this_thread::get_id();
    std::unique_lock<std::mutex> guard(lock_);
    if (Reader* r = FindReader(me)) {
        // Nested read: never waits, or a waiting writer would dead-lock with this thread.
        ++r->depth;
        return;
    }
    if (writer_ != me) {
        changed_.wait(guard, [&] { return writeDepth_ == 0 && waitingWriters_ == 0; });
        ++activeReaders_;
    }
    readers_.push_back(Reader{me, 1});
}

void TMultiReadExclusiveWriteSynchronizer::EndRead() {
    const auto me = std::this_thread::get_id();
    std::lock_guard<std::mutex> guard(lock_);
    Reader* r = FindReader(me);
    if (!r) throw EInvalidOperation("EndRead without BeginRead");
    if (--r->depth > 0) return;
    readers_.erase(readers_.begin() + (r - readers_.data()));
    if (writer_ != me) {
        --activeReaders_;
        changed_.notify_all();
    }
}

bool TMultiReadExclusiveWriteSynchronizer::BeginWrite() {
    const auto me = std::this_thread::get_id();
    std::unique_lock<std::mutex> guard(lock_);
    if (writer_ == me) {
        ++writeDepth_;
        return true;
    }
    const bool wasReading = FindReader(me) != nullptr;
    // A reader that asks to write stops counting as an active reader, so that the other readers can
    // drain; it keeps its read depth for when the write ends.
    if (wasReading) --activeReaders_;
    ++waitingWriters_;
    const std::uint64_t seen = writeCount_;
    changed_.wait(guard, [&] { return writeDepth_ == 0 && activeReaders_ == 0; });
    --waitingWriters_;
    writer_ = me;
    writeDepth_ = 1;
    ++writeCount_;
    return writeCount_ == seen + 1;
}

void TMultiReadExclusiveWriteSynchronizer::EndWrite() {
    const auto me = std::this_thread::get_id();
    std::lock_guard<std::mutex> guard(lock_);
    if (writer_ != me || writeDepth_ == 0) throw EInvalidOperation("EndWrite without BeginWrite");
    if (--writeDepth_ > 0) return;
    writer_ = std::thread::id();
    // Back to reading if it read before (or while) it wrote.
    if (FindReader(me)) ++activeReaders_;
    changed_.notify_all();
}

int TMultiReadExclusiveWriteSynchronizer::WaitingWriters() const {
    std::lock_guard<std::mutex> guard(lock_);
    return waitingWriters_;
}

TMultiReadExclusiveWriteSynchronizer& GlobalNameSpace() {
    static TMultiReadExclusiveWriteSynchronizer lock;
    return lock;
}
