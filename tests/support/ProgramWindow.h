// The shown main window of another process, for the programs that start Vantorel.exe and wait for its window.
#pragma once
#include <windows.h>

#include <string>

namespace testsupport {

struct TProcessWindowSearch {
    DWORD pid;
    const std::wstring* caption;
    HWND found;
};

inline BOOL CALLBACK MatchProcessWindow(HWND wnd, LPARAM data) {
    auto* search = reinterpret_cast<TProcessWindowSearch*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(wnd, &owner);
    wchar_t text[64] = {};
    ::GetWindowTextW(wnd, text, 64);
    if (owner != search->pid || !::IsWindowVisible(wnd) || *search->caption != text) return TRUE;
    search->found = wnd;
    return FALSE;
}

// The first visible top-level window of process pid whose caption is caption; nullptr when there is none yet.
inline HWND FindProcessWindow(DWORD pid, const std::wstring& caption) {
    TProcessWindowSearch search{pid, &caption, nullptr};
    ::EnumWindows(&MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace testsupport
