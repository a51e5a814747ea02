#include "toolbar/core/FloatingVisibility.h"

namespace tb {
namespace {

// The window above `window` in its owner-and-parent chain.
TWindowId Up(const IWindowQuery& q, TWindowId window) {
    return q.IsChildWindow(window) ? q.Parent(window) : q.Owner(window);
}

// Whether `ancestor` is window or lies above it through owners and parents. The walk is bounded: a chain
// longer than any real one is taken as a cycle.
bool InChain(const IWindowQuery& q, TWindowId window, TWindowId ancestor) {
    for (int steps = 0; window != 0 && steps < 256; ++steps, window = Up(q, window))
        if (window == ancestor) return true;
    return false;
}

bool OwnedBy(const IWindowQuery& q, TWindowId window, TWindowId owner) {
    TWindowId w = q.Owner(window);
    for (int steps = 0; w != 0 && steps < 256; ++steps, w = q.Owner(w))
        if (w == owner) return true;
    return false;
}

bool HasNonTopmostOwner(const IWindowQuery& q, TWindowId window) {
    TWindowId w = q.Owner(window);
    for (int steps = 0; w != 0 && steps < 256; ++steps, w = q.Owner(w))
        if (!q.Topmost(w)) return true;
    return false;
}

}  // namespace

bool IsWindowVisibleAndNotMinimized(const IWindowQuery& q, TWindowId window) {
    if (window == 0 || !q.Visible(window)) return false;
    for (int steps = 0; window != 0 && steps < 256; ++steps) {
        if (q.Iconic(window)) return false;
        if (!q.IsChildWindow(window)) break;
        window = q.Parent(window);
    }
    return true;
}

bool ShouldBeVisible(const IWindowQuery& q, const TVisibilityState& s) {
    if (!s.Showing || s.Suspended) return false;
    if (!s.Floating) return true;
    if (s.Mode == fmOnTopOfParentForm && !IsWindowVisibleAndNotMinimized(q, s.Form)) return false;
    if (s.HideWhenInactive && q.ActiveWindow() == 0) return false;
    return true;
}

TCaptionState FloatingCaptionState(const IWindowQuery& q, TWindowId frame, TTBFloatingMode mode) {
    const TWindowId active = q.ActiveWindow();
    if (active != 0 && q.IsPopupMenuWindow(active)) return TCaptionState::Unchanged;
    if (active == 0) return TCaptionState::Inactive;
    if (mode == fmOnTopOfAllForms || q.Owner(frame) == q.ApplicationWindow()) return TCaptionState::Active;
    TWindowId reference = active;
    if (const TWindowId form = q.FloatingFrameForm(active)) reference = form;
    return InChain(q, frame, reference) ? TCaptionState::Active : TCaptionState::Inactive;
}

bool WantedTopmost(const IWindowQuery& q, TTBFloatingMode mode, bool windowEnabled, TWindowId frameOwner) {
    if (mode == fmOnTopOfAllForms) return windowEnabled;
    return frameOwner != 0 && q.Topmost(frameOwner);
}

TWindowId FindOtherThreadWindow(const IWindowQuery& q, TWindowId window) {
    TWindowId topmost = 0;
    for (TWindowId w : q.ThreadWindows()) {
        if (w == window || w == q.ApplicationWindow() || !q.Visible(w) || !q.Enabled(w)) continue;
        if (!q.Topmost(w)) return w;
        if (topmost == 0) topmost = w;
    }
    return topmost;
}

TWindowId FrameInsertAfter(const IWindowQuery& q, TWindowId form, bool frameTopmost) {
    TWindowId w = q.WindowAbove(form);
    for (int steps = 0; w != 0 && steps < 65536; ++steps, w = q.WindowAbove(w)) {
        if (OwnedBy(q, w, form)) continue;
        if (frameTopmost && HasNonTopmostOwner(q, w)) continue;
        return w;
    }
    return 0;
}

}  // namespace tb
