// The timer component: ticks while enabled with a non-zero interval, restarts on a new interval, keeps
// exceptions of its handler away from the system and leaves nothing behind when freed.
#include <gtest/gtest.h>

#include <vector>

#include "classlib/core/CallbackExceptions.h"
#include "classlib/win/TTimer.h"
#include "tests/support/MessagePump.h"

namespace {

using testsupport::PumpFor;
using testsupport::PumpQueued;
using testsupport::PumpUntil;

// Waits, handling no message, until a timer of this thread is due, so that its tick is there to be handled;
// fails the test when the timer is late past the time limit.
bool WaitUntilTimerDue() {
    const ULONGLONG end = ::GetTickCount64() + testsupport::kPumpTimeoutMs;
    while (!(HIWORD(::GetQueueStatus(QS_TIMER)) & QS_TIMER)) {
        if (::GetTickCount64() >= end) {
            ADD_FAILURE() << "the timer was not due within " << testsupport::kPumpTimeoutMs << " ms";
            return false;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_TIMER);
    }
    return true;
}

struct TTicks : TObject {
    std::vector<ULONGLONG> at;
    TObject* sender = nullptr;
    bool fail = false;
    void Tick(TObject* s) {
        sender = s;
        at.push_back(::GetTickCount64());
        if (fail) throw EInvalidOperation("tick failed");
    }
    int Count() const { return static_cast<int>(at.size()); }
};

struct TErrors : TObject {
    std::vector<TObject*> senders;
    void Handle(TObject* sender) { senders.push_back(sender); }
};

// Installs a callback error handler for the test's duration.
class ErrorCatcher {
public:
    ErrorCatcher() : saved_(SetCallbackExceptionHandler(MakeMethod<&TErrors::Handle>(&errors))) {}
    ~ErrorCatcher() { SetCallbackExceptionHandler(saved_); }
    TErrors errors;

private:
    TCallbackExceptionHandler saved_;
};

TObjectPtr<TTimer> MakeTimer(TTicks& ticks, unsigned interval) {
    TObjectPtr<TTimer> timer = MakeObject<TTimer>(nullptr);
    timer->OnTimer = MakeMethod<&TTicks::Tick>(&ticks);
    timer->SetInterval(interval);
    return timer;
}

TEST(Timer, TicksWhileEnabledAndStopsOnZeroIntervalOrDisabled) {
    TTicks ticks;
    TObjectPtr<TTimer> timer = MakeTimer(ticks, 20);
    EXPECT_EQ(timer->Interval(), 20u);
    EXPECT_TRUE(timer->Enabled());
    ASSERT_TRUE(PumpUntil([&] { return ticks.Count() >= 2; }, 2000));
    EXPECT_EQ(ticks.sender, timer.get());

    timer->SetEnabled(false);
    ASSERT_TRUE(PumpQueued());
    int stoppedAt = ticks.Count();
    PumpFor(100);  // proves that no tick comes
    EXPECT_EQ(ticks.Count(), stoppedAt);

    timer->SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return ticks.Count() > stoppedAt; }, 2000));

    timer->SetInterval(0);
    ASSERT_TRUE(PumpQueued());
    stoppedAt = ticks.Count();
    PumpFor(100);  // proves that no tick comes
    EXPECT_EQ(ticks.Count(), stoppedAt);
    EXPECT_TRUE(timer->Enabled());
}

TEST(Timer, IntervalOneGivesTheShortestSystemInterval) {
    TTicks ticks;
    TObjectPtr<TTimer> timer = MakeTimer(ticks, 1);
    EXPECT_TRUE(PumpUntil([&] { return ticks.Count() >= 5; }, 1000));
}

TEST(Timer, ChangingTheIntervalWhileRunningStartsItAnew) {
    TTicks ticks;
    TObjectPtr<TTimer> timer = MakeTimer(ticks, 150);
    ASSERT_TRUE(WaitUntilTimerDue());
    ASSERT_EQ(ticks.Count(), 0);
    const ULONGLONG changed = ::GetTickCount64();
    timer->SetInterval(160);
    // Not restarted, the tick that is due would come at once.
    ASSERT_TRUE(PumpUntil([&] { return ticks.Count() >= 1; }, 2000));
    EXPECT_GE(ticks.at[0] - changed, 130u);
}

TEST(Timer, HandlerErrorsGoToTheCallbackHandlerAndTheTimerGoesOn) {
    ErrorCatcher catcher;
    TTicks ticks;
    ticks.fail = true;
    TObjectPtr<TTimer> timer = MakeTimer(ticks, 10);
    ASSERT_TRUE(PumpUntil([&] { return ticks.Count() >= 2; }, 2000));
    ASSERT_GE(catcher.errors.senders.size(), 1u);
    EXPECT_EQ(catcher.errors.senders[0], timer.get());
}

TEST(Timer, FreedTimerLeavesNoTickBehind) {
    ErrorCatcher catcher;
    TTicks ticks;
    TObjectPtr<TTimer> timer = MakeTimer(ticks, 1);
    ASSERT_TRUE(WaitUntilTimerDue());
    timer.reset();
    PumpFor(50);  // proves that the due tick does not come
    EXPECT_EQ(ticks.Count(), 0);
    EXPECT_TRUE(catcher.errors.senders.empty());
}

// A one-shot timer that frees itself from its own handler.
struct TOneShot : TObject {
    TTimer* timer = nullptr;
    int fired = 0;
    void Tick(TObject*) {
        ++fired;
        FreeAndNil(timer);
    }
};

TEST(Timer, HandlerMayFreeItsOwnTimer) {
    ErrorCatcher catcher;
    TOneShot shot;
    shot.timer = Create<TTimer>(nullptr);
    shot.timer->SetInterval(1);
    shot.timer->OnTimer = MakeMethod<&TOneShot::Tick>(&shot);
    ASSERT_TRUE(PumpUntil([&] { return shot.fired > 0; }, 2000));
    PumpFor(30);  // proves that no second tick comes
    EXPECT_EQ(shot.fired, 1);
    EXPECT_EQ(shot.timer, nullptr);
    EXPECT_TRUE(catcher.errors.senders.empty());
}

}  // namespace
