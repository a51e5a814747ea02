#include "toolbar/win/SystemSettings.h"

#include <algorithm>
#include <vector>

#include "classlib/core/ScopeGuard.h"
#include "classlib/core/Types.h"
#include "toolbar/core/MenuSettings.h"

namespace tb {

namespace {

// Looks a function up by name once; null when the system lacks it.
template <class Fn>
Fn Bound(const char* module, const char* name) {
    HMODULE m = ::GetModuleHandleA(module);
    if (!m) m = ::LoadLibraryA(module);
    return m ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(m, name))) : nullptr;
}

int MenuShowDelayFromUserRegistry() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return MenuShowDelayFromRegistry(false, false, {});
    TScopeExit close([key] { ::RegCloseKey(key); });
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(key, "MenuShowDelay", nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return MenuShowDelayFromRegistry(false, false, {});
    std::vector<char> data(size + 1, '\0');
    if (::RegQueryValueExA(key, "MenuShowDelay", nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
        return MenuShowDelayFromRegistry(false, false, {});
    const bool isString = type == REG_SZ || type == REG_EXPAND_SZ;
    // The stored string may or may not carry its terminator.
    const std::string_view text(data.data(), std::min<std::size_t>(size, std::char_traits<char>::length(data.data())));
    return MenuShowDelayFromRegistry(true, isString, text);
}

RECT ScreenArea(bool workArea) {
    RECT r{};
    if (workArea && ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0)) return r;
    return RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

using MonitorInfoFn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);

// The nearest monitor's area, or the screen's when there is only one monitor or no monitor functions.
template <class Fn, class Where>
RECT MonitorArea(bool workArea, const char* finder, Where where) {
    static const auto find = Bound<Fn>("user32.dll", finder);
    static const auto info = Bound<MonitorInfoFn>("user32.dll", "GetMonitorInfoA");
    if (::GetSystemMetrics(SM_CMONITORS) > 1 && find && info) {
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        if (const HMONITOR monitor = find(where, MONITOR_DEFAULTTONEAREST); monitor && info(monitor, &mi))
            return workArea ? mi.rcWork : mi.rcMonitor;
    }
    return ScreenArea(workArea);
}

}  // namespace

bool IsWindowsNT() { return (::GetVersion() & 0x80000000u) == 0; }

int GetMenuShowDelay() {
    DWORD delay = 0;
    if (::SystemParametersInfoA(SPI_GETMENUSHOWDELAY, 0, &delay, 0))
        return static_cast<int>(std::min<DWORD>(delay, 0x7FFFFFFF));
    static const int fromRegistry = MenuShowDelayFromUserRegistry();
    return fromRegistry;
}

bool AreFlatMenusEnabled() {
    BOOL flat = FALSE;
    return ::SystemParametersInfoA(SPI_GETFLATMENU, 0, &flat, 0) && flat;
}

bool AreKeyboardCuesEnabled() {
    BOOL cues = FALSE;
    return !::SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cues, 0) || cues;
}

bool NeedToPlaySound(std::string_view eventName) {
    const AnsiString path = "AppEvents\\Schemes\\Apps\\.Default\\" + AnsiString(eventName) + "\\.Current";
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    TScopeExit close([key] { ::RegCloseKey(key); });
    // Only whether there is a sound matters: a value too long for the probe is one.
    char probe[4] = {};
    DWORD size = sizeof probe;
    const LONG result = ::RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(probe), &size);
    return result == ERROR_MORE_DATA || (result == ERROR_SUCCESS && size > 0 && probe[0] != '\0');
}

RECT GetWorkArea(bool workArea, const RECT& place) {
    using Fn = HMONITOR(WINAPI*)(LPCRECT, DWORD);
    return MonitorArea<Fn>(workArea, "MonitorFromRect", &place);
}

RECT GetWorkArea(bool workArea, POINT place) {
    using Fn = HMONITOR(WINAPI*)(POINT, DWORD);
    return MonitorArea<Fn>(workArea, "MonitorFromPoint", place);
}

RECT GetWorkArea(bool workArea, HWND place) {
    using Fn = HMONITOR(WINAPI*)(HWND, DWORD);
    return MonitorArea<Fn>(workArea, "MonitorFromWindow", place);
}

bool CallTrackMouseEvent(HWND window, DWORD flags) {
    using Fn = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
    static const Fn track = [] {
        Fn fn = Bound<Fn>("user32.dll", "TrackMouseEvent");
        return fn ? fn : Bound<Fn>("comctl32.dll", "_TrackMouseEvent");
    }();
    if (!track) return false;
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof tme;
    tme.dwFlags = flags;
    tme.hwndTrack = window;
    tme.dwHoverTime = HOVER_DEFAULT;
    return track(&tme) != FALSE;
}

void ProcessPaintMessages() {
    MSG msg;
    std::vector<HWND> painted;
    // PeekMessage hands out WM_QUIT whatever the filter. A window that leaves its update region invalid is
    // handed out again at once; the second time it waits for the ordinary loop (a WM_PAINT taken from the
    // queue comes back while the region stays invalid).
    while (::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (std::find(painted.begin(), painted.end(), msg.hwnd) != painted.end()) break;
        painted.push_back(msg.hwnd);
        ::DispatchMessageA(&msg);
    }
}

void RemoveMessages(UINT first, UINT last) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, first, last, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
    }
}

}  // namespace tb
