#include "app/win/KelvoStartupTrace.h"

#include <algorithm>
#include <cstdio>

#include "classlib/core/Owned.h"
#include "classlib/win/Win32.h"

namespace kelvo {

namespace {

// The trace file's name, or empty when the start-up is not traced; read once.
const wchar_t* TraceFile() {
    static wchar_t name[MAX_PATH] = {};
    static const bool read = [] {
        const DWORD n = ::GetEnvironmentVariableW(L"VANTOREL_STARTUP_TRACE", name, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) name[0] = 0;
        return true;
    }();
    (void)read;
    return name;
}

double MillisecondsSinceCreation() {
    FILETIME creation{}, exit{}, kernel{}, user{}, now{};
    ::GetProcessTimes(::GetCurrentProcess(), &creation, &exit, &kernel, &user);
    ::GetSystemTimePreciseAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return double(ticks(now) - ticks(creation)) / 10000.0;
}

}  // namespace

void StartupMark(const char* phaseEnded) {
    const wchar_t* name = TraceFile();
    if (!name[0]) return;
    char line[256];
    const int length = std::snprintf(line, sizeof line, "%.1f %s\r\n", MillisecondsSinceCreation(), phaseEnded);
    if (length <= 0) return;
    HANDLE file = ::CreateFileW(name, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const TOwned<void, ::CloseHandle> owned(file);
    DWORD written = 0;
    ::WriteFile(file, line, DWORD(std::min<int>(length, int(sizeof line) - 1)), &written, nullptr);
}

}  // namespace kelvo
