// The shown main window of another process, for the programs that start Vantorel.exe and wait for its window,
// and the whole files they hand it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

// A caption or a window class to match (null: any).
struct TProcessWindowSearch {
    DWORD pid;
    const std::wstring* caption;
    const wchar_t* className;
    HWND found;
};

inline BOOL CALLBACK MatchProcessWindow(HWND wnd, LPARAM data) {
    auto* search = reinterpret_cast<TProcessWindowSearch*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(wnd, &owner);
    if (owner != search->pid || !::IsWindowVisible(wnd)) return TRUE;
    wchar_t text[64] = {};
    if (search->caption && (::GetWindowTextW(wnd, text, 64), *search->caption != text)) return TRUE;
    if (search->className && (::GetClassNameW(wnd, text, 64), std::wstring(search->className) != text)) return TRUE;
    search->found = wnd;
    return FALSE;
}

// The first visible top-level window of process pid whose caption is caption; nullptr when there is none yet.
inline HWND FindProcessWindow(DWORD pid, const std::wstring& caption) {
    TProcessWindowSearch search{pid, &caption, nullptr, nullptr};
    ::EnumWindows(&MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The first visible top-level window of process pid of the window class; nullptr when there is none yet.
inline HWND FindProcessWindowOfClass(DWORD pid, const wchar_t* className) {
    TProcessWindowSearch search{pid, nullptr, className, nullptr};
    ::EnumWindows(&MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The bytes of a file; none when it cannot be read.
inline std::vector<unsigned char> ReadWholeFile(const std::wstring& name) {
    std::vector<unsigned char> bytes;
    HANDLE file = ::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    unsigned char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.insert(bytes.end(), buffer, buffer + read);
    ::CloseHandle(file);
    return bytes;
}

// Creates or replaces the file with the bytes; false when they were not all written.
inline bool WriteWholeFile(const std::wstring& name, const void* data, std::size_t size) {
    HANDLE file = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, data, DWORD(size), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == size;
}

}  // namespace testsupport
