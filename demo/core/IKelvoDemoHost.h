// What the demonstration playback needs of the system: a millisecond clock, the real pointer and mouse
// buttons, the pointer's visibility, the application's hints, the balloon, and the run itself (the
// application's events routed to the playback, the pacing thread). The Windows build gives the real ones;
// tests give fakes and step the clock themselves.
#pragma once
#include <cstdint>

#include "classlib/core/Geometry.h"
#include "classlib/core/Types.h"

class TKelvoDemoPlayback;

// The system's mouse-button events.
enum : std::uint32_t {
    kDemoLeftDown = 2,
    kDemoLeftUp = 4,
    kDemoRightDown = 8,
    kDemoRightUp = 16,
};

class IKelvoDemoHost {
public:
    // Milliseconds of a clock that wraps like the system tick count; only differences are used.
    virtual std::uint32_t TickCount() = 0;
    virtual TPoint CursorPos() = 0;
    // Moves the system pointer there the way a user's hand would.
    virtual void MovePointer(TPoint point) = 0;
    // One of the button events above, at the pointer.
    virtual void MouseButton(std::uint32_t event) = 0;
    virtual bool ButtonsSwapped() = 0;
    // Show and hide come in pairs: the system keeps a count.
    virtual void ShowPointer(bool show) = 0;
    virtual void ShowHints(bool show) = 0;
    // corner: 0 automatic, 1 to 4 the tail's corner.
    virtual void ShowBalloon(TPoint tip, std::int32_t corner, const WideString& text) = 0;
    virtual void HideBalloon() = 0;
    // Start of a run: the application's activation, minimizing and message events go to playback (after
    // whatever handled them before), and the playback's Tick is called on this thread every 10 ms until it
    // answers false or EndRun.
    virtual void BeginRun(TKelvoDemoPlayback& playback) = 0;
    // End of a run: the application's events are put back and the ticks end. Called from inside a Tick.
    virtual void EndRun() = 0;

protected:
    ~IKelvoDemoHost() = default;
};
