// The decisions that keep a floating toolbar behaving like a part of its form although it is a top-level
// window of its own: when it is shown, when its caption is drawn active, when its frame is topmost, where its
// frame goes in the z-order, and which window takes the activation when an active floating window hides.
// They ask the system through IWindowQuery (toolbar/win/FloatingWindows.cpp answers from the real windows;
// tests answer from a table).
#pragma once
#include <cstdint>
#include <vector>

#include "toolbar/core/DockableGeometry.h"

namespace tb {

using TWindowId = std::uintptr_t;  // 0 = no window

class IWindowQuery {
public:
    virtual TWindowId Owner(TWindowId window) const = 0;   // the owner of a top-level window
    virtual TWindowId Parent(TWindowId window) const = 0;  // the parent of a child window (WS_CHILD)
    virtual bool IsChildWindow(TWindowId window) const = 0;
    virtual bool Visible(TWindowId window) const = 0;
    virtual bool Enabled(TWindowId window) const = 0;
    virtual bool Iconic(TWindowId window) const = 0;
    virtual bool Topmost(TWindowId window) const = 0;
    virtual TWindowId ActiveWindow() const = 0;  // of the calling thread
    virtual TWindowId ApplicationWindow() const = 0;
    virtual std::vector<TWindowId> ThreadWindows() const = 0;   // top-level windows of the thread, top first
    virtual TWindowId WindowAbove(TWindowId window) const = 0;  // the next window up in the z-order
    virtual bool IsPopupMenuWindow(TWindowId window) const = 0;
    // The form a floating frame belongs to, when window is a floating frame and that form has a handle.
    virtual TWindowId FloatingFrameForm(TWindowId window) const = 0;

protected:
    ~IWindowQuery() = default;
};

// Visible, and neither it nor a parent reached through child windows is minimised.
bool IsWindowVisibleAndNotMinimized(const IWindowQuery& q, TWindowId window);

struct TVisibilityState {
    bool Showing = false;    // the control is showing
    bool Suspended = false;  // its parent is changing
    bool Floating = false;
    TTBFloatingMode Mode = fmOnTopOfParentForm;
    TWindowId Form = 0;  // the window's form (0 when it has none or no handle)
    bool HideWhenInactive = true;
};
bool ShouldBeVisible(const IWindowQuery& q, const TVisibilityState& s);

// Whether the floating frame's caption is active; Unchanged while a popup menu is the active window.
enum class TCaptionState : std::uint8_t { Unchanged, Active, Inactive };
TCaptionState FloatingCaptionState(const IWindowQuery& q, TWindowId frame, TTBFloatingMode mode);

// Whether the floating frame should be topmost: the window's enabled state for fmOnTopOfAllForms, else the
// topmost state of the frame's owner.
bool WantedTopmost(const IWindowQuery& q, TTBFloatingMode mode, bool windowEnabled, TWindowId frameOwner);

// The window to activate instead of `window`: the first of the thread's windows (top first) other than it and
// the application window that is visible, enabled and not topmost; else the first such topmost one; else 0.
TWindowId FindOtherThreadWindow(const IWindowQuery& q, TWindowId window);

// The window below which a frame owned by form goes: the first window above form that form does not own
// (directly or through owners); for a topmost frame, windows with a non-topmost window in their owner chain
// are passed over as well. 0 = the top of the z-order.
TWindowId FrameInsertAfter(const IWindowQuery& q, TWindowId form, bool frameTopmost);

}  // namespace tb
