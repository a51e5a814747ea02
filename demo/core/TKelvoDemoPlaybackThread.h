// The pacing of a demonstration: calls the playback's tick on the user-interface thread every 10 ms, so that
// all of the playback's work runs there, between the messages the user-interface thread handles. The thread
// frees itself when it ends: nobody ever waits for it, so a run may end, and the next begin, inside a tick.
#pragma once
#include <functional>

#include "classlib/core/TThread.h"

class TKelvoDemoPlaybackThread : public TThread {
    CLASSLIB_CLASS(TKelvoDemoPlaybackThread, TThread)
public:
    // tick runs on the user-interface thread; the thread ends after a tick that answers false.
    static void Run(std::function<bool()> tick);

    explicit TKelvoDemoPlaybackThread(std::function<bool()> tick) : TThread(true), tick_(std::move(tick)) {
        SetFreeOnTerminate(true);
    }

protected:
    void Execute() override;

private:
    std::function<bool()> tick_;
};
