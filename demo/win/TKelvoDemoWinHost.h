// The demonstration playback's system on Windows: the tick count, the real pointer and buttons through SendInput
// (so a played script reaches the program's windows exactly as a user's hand does), the pointer's show count,
// the application's hints, the balloon, and for the time of a run the application's activation, minimizing
// and message events (Esc) routed to the playback, with the pacing thread calling its Tick.
#pragma once
#include "classlib/core/TObject.h"
#include "classlib/win/TApplication.h"
#include "demo/core/IKelvoDemoHost.h"

class TKelvoBalloon;
class TKelvoDemoPlaybackThread;

class TKelvoDemoWinHost : public IKelvoDemoHost {
public:
    TKelvoDemoWinHost();
    TKelvoDemoWinHost(const TKelvoDemoWinHost&) = delete;
    TKelvoDemoWinHost& operator=(const TKelvoDemoWinHost&) = delete;
    // Waits for the pacing thread (serving its pending call) and puts the application's events back.
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
    void EndPacing();

    TKelvoDemoPlayback* playback_ = nullptr;
    TObjectPtr<TKelvoDemoPlaybackThread> thread_;
    TObjectPtr<TKelvoBalloon> balloon_;
    bool hooked_ = false;
    TNotifyEvent savedActivate_;
    TNotifyEvent savedDeactivate_;
    TNotifyEvent savedRestore_;
    TNotifyEvent savedMinimize_;
    TMessageEvent savedMessage_;
};
