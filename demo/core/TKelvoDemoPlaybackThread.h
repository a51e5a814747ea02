// The pacing of a demonstration: calls the playback's tick on the user-interface thread every 10 ms, so that
// all of the playback's work runs there, between the messages the user-interface thread handles.
#pragma once
#include <functional>

#include "classlib/core/TThread.h"

class TKelvoDemoPlaybackThread : public TThread {
    CLASSLIB_CLASS(TKelvoDemoPlaybackThread, TThread)
public:
    // Starts at once (made with MakeObject<T>). tick runs on the user-interface thread; the thread ends when it
    // answers false or once Terminate was called there (a tick that waits when Terminate comes never runs).
    explicit TKelvoDemoPlaybackThread(std::function<bool()> tick) : TThread(false), tick_(std::move(tick)) {}

protected:
    void Execute() override;

private:
    std::function<bool()> tick_;
};
