// The system's side of floating windows: the window queries that the visibility decisions ask
// (toolbar/core/FloatingVisibility.h), answered from the real windows, and the calling thread's list of
// floating dockable windows that the message hook walks.
#pragma once
#include <vector>

#include "classlib/win/Win32.h"
#include "toolbar/core/FloatingVisibility.h"

class TTBCustomDockableWindow;

namespace tb {

class TSystemWindowQuery final : public IWindowQuery {
public:
    TWindowId Owner(TWindowId window) const override;
    TWindowId Parent(TWindowId window) const override;
    bool IsChildWindow(TWindowId window) const override;
    bool Visible(TWindowId window) const override;
    bool Enabled(TWindowId window) const override;
    bool Iconic(TWindowId window) const override;
    bool Topmost(TWindowId window) const override;
    TWindowId ActiveWindow() const override;
    TWindowId ApplicationWindow() const override;
    std::vector<TWindowId> ThreadWindows() const override;
    TWindowId WindowAbove(TWindowId window) const override;
    bool IsPopupMenuWindow(TWindowId window) const override;
    TWindowId FloatingFrameForm(TWindowId window) const override;
};

inline TWindowId IdOf(HWND window) { return reinterpret_cast<TWindowId>(window); }
inline HWND WindowOf(TWindowId id) { return reinterpret_cast<HWND>(id); }

// The window to activate instead of window (see FindOtherThreadWindow of the core).
HWND FindOtherThreadWindow(HWND window);

// The calling thread's floating dockable windows.
void AddFloatingWindow(TTBCustomDockableWindow* window);
void RemoveFloatingWindow(TTBCustomDockableWindow* window);
// A copy: the walk may change the list.
std::vector<TTBCustomDockableWindow*> FloatingWindows();

// A window that marks itself as a popup menu window (the popup view's window does): a floating caption
// stays as it is while one is active.
class IPopupMenuWindow {
public:
    virtual ~IPopupMenuWindow() = default;
};

}  // namespace tb
