#include "app/win/KelvoWindowPlacement.h"

#include "classlib/win/TCustomForm.h"

namespace kelvo {

namespace {

static_assert(sizeof(WINDOWPLACEMENT) == sizeof(TKelvoWindowPlacement));

// Workspace coordinates start at the top left of the primary monitor's work area.
POINT WorkspaceOrigin() {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    return POINT{info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top};
}

}  // namespace

TKelvoWindowPlacement CurrentPlacement(TCustomForm& form) {
    WINDOWPLACEMENT system{};
    system.length = sizeof(system);
    ::GetWindowPlacement(form.Handle(), &system);
    TKelvoWindowPlacement placement;
    placement.Length = system.length;
    placement.Flags = system.flags;
    placement.ShowCmd = system.showCmd;
    placement.MinPosition = Point(system.ptMinPosition.x, system.ptMinPosition.y);
    placement.MaxPosition = Point(system.ptMaxPosition.x, system.ptMaxPosition.y);
    const RECT& n = system.rcNormalPosition;
    placement.NormalPosition = TKelvoRect{n.left, n.top, n.right, n.bottom};
    return placement;
}

bool ApplyPlacement(TCustomForm& form, const TKelvoWindowPlacement& stored) {
    const POINT origin = WorkspaceOrigin();
    const TKelvoRect& n = stored.NormalPosition;
    if (n.IsEmpty()) return false;
    const RECT screen{n.Left + origin.x, n.Top + origin.y, n.Right + origin.x, n.Bottom + origin.y};
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoW(::MonitorFromRect(&screen, MONITOR_DEFAULTTONEAREST), &info)) return false;
    const TKelvoRect work{info.rcWork.left - origin.x, info.rcWork.top - origin.y, info.rcWork.right - origin.x,
                          info.rcWork.bottom - origin.y};
    const std::optional<TKelvoWindowPlacement> usable = UsablePlacement(stored, work);
    if (!usable) return false;
    const TKelvoRect& r = usable->NormalPosition;
    form.SetBounds(r.Left + origin.x, r.Top + origin.y, std::int32_t(r.Width()), std::int32_t(r.Height()));
    if (usable->ShowCmd == KelvoShowMaximized) form.SetWindowState(wsMaximized);
    return true;
}

}  // namespace kelvo
