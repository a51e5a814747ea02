// The modal loop of a drag or a resize that holds the mouse capture: the dockable window's drag, its floating
// frame's resize and close-button tracking, and the themed panel's docked edge.
#pragma once
#include <functional>

#include "classlib/win/Win32.h"

namespace tb {

// What a left button press (or double-click) inside the loop means; a left release always accepts.
enum class TLeftPress { Cancels, Accepts };

// Takes messages while capture holds the mouse capture and going() holds. Key messages go to onKey (true ends
// the loop, cancelled) and pointer moves to onMove; right and middle button messages are swallowed; WM_QUIT
// is posted again and cancels, as does a failing GetMessage; everything else is dispatched. Returns whether
// the loop ended accepted.
bool RunCaptureLoop(HWND capture, TLeftPress leftPress, const std::function<bool()>& going,
                    const std::function<bool(const MSG&)>& onKey, const std::function<void(const MSG&)>& onMove);

}  // namespace tb
