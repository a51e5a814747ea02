// The queue of deferred calls: code that is to run after the current message. One call runs per posted
// deferred-call message, in the order of queuing; while the queue is not empty exactly one such message is
// on its way, posted by whoever made the queue non-empty or by the call that ran before.
#pragma once
#include <cstdint>

#include "app/core/TKelvoMethodList.h"

// WM_USER + 100: run the next deferred call (application object -> main form).
inline constexpr std::uint32_t KelvoDeferredCallMessage = 0x0400 + 100;

class TKelvoDeferredCalls {
public:
    // post sends the deferred-call message to the main form.
    explicit TKelvoDeferredCalls(TKelvoMethod post) : post_(post) {}

    // Appends the call; posts the message when the queue held nothing before.
    void Queue(TKelvoMethod call);
    // Runs the head of the queue (nothing when it is empty). The head leaves the queue and the next message
    // is posted before the call runs, so a call that raises (its error passes on to the caller) holds up
    // nothing behind it.
    void RunNext();
    int Count() const { return calls_.Count(); }
    void Clear() { calls_.Clear(); }

private:
    TKelvoMethod post_;
    TKelvoMethodList calls_;
};
