// The demonstration playback's system on Windows: the tick count, the real pointer and buttons through SendInput
// (so a played script reaches the program's windows exactly as a user's hand does), the pointer's show count,
// the application's hints, the balloon, and for the time of a run the application's activation, minimizing
// and message events (Esc) routed to the playback, with the pacing thread calling its Tick.
#pragma once
#include <memory>

#include "classlib/core/TObject.h"
#include "classlib/win/TApplication.h"
#include "demo/core/IKelvoDemoHost.h"

class TKelvoBalloon;

class TKelvoDemoWinHost : public IKelvoDemoHost {
public:
    TKelvoDemoWinHost();
    TKelvoDemoWinHost(const TKelvoDemoWinHost&) = delete;
    TKelvoDemoWinHost& operator=(const TKelvoDemoWinHost&) = delete;
    // Puts the application's events back; the pacing thread ticks no more.
    ~TKelvoDemoWinHost();

    std::uint32_t TickCount() override;
    TPoint CursorPos() override;
    void MovePointer(TPoint point) override;
    void MouseButton(std::uint32_t event) override;
    bool ButtonsSwapped() override;
    void ShowPointer(bool show) override;
    void ShowHints(bool show) override;
    void ShowBalloon(TPoint tip, std::int32_t corner, const WideString& text) override;
    void HideBalloon() override;
    void BeginRun(TKelvoDemoPlayback& playback) override;
    void EndRun() override;

    // The balloon while one was shown (for tests), else null.
    TKelvoBalloon* Balloon() const { return balloon_.get(); }

private:
    void Activate(TObject* sender);
    void Deactivate(TObject* sender);
    void Restore(TObject* sender);
    void Minimize(TObject* sender);
    void Message(TMsg& msg, bool& handled);
    // The handler the application had first, then the playback: activation and restoring resume, deactivation
    // and minimizing pause.
    void Forward(const TNotifyEvent& saved, TObject* sender, bool active);

    // What the pacing thread of a run ticks: cleared when the run ends, so that a thread still asleep then
    // (or waiting for the user-interface thread) ends at its next call without touching anything.
    struct TPacing {
        TKelvoDemoPlayback* Playback = nullptr;
    };

    TKelvoDemoPlayback* playback_ = nullptr;
    std::shared_ptr<TPacing> pacing_;
    TObjectPtr<TKelvoBalloon> balloon_;
    bool hooked_ = false;
    TNotifyEvent savedActivate_;
    TNotifyEvent savedDeactivate_;
    TNotifyEvent savedRestore_;
    TNotifyEvent savedMinimize_;
    TMessageEvent savedMessage_;
};
