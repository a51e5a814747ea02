#ifdef _WIN32
#include "tests/support/CyrillicChild.h"

#include <cstdlib>

#include "classlib/win/Win32.h"

namespace testsupport {

namespace {

// The Unix name of a Windows file name, through Wine's own export; empty when not running under Wine.
std::string UnixName(const std::wstring& windowsName) {
    using UnixNameFn = char* (*)(const wchar_t*);
    auto fn = reinterpret_cast<UnixNameFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!fn) return std::string();
    char* name = fn(windowsName.c_str());
    if (!name) return std::string();
    std::string result(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

std::string ReadWholeFile(const std::wstring& name) {
    std::string data;
    HANDLE h =
        CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return data;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) data.append(buf, got);
    CloseHandle(h);
    return data;
}

}  // namespace

bool IsCyrillicChild() { return GetEnvironmentVariableW(L"VANTOREL_UNI_CYRILLIC_CHILD", nullptr, 0) > 0; }

bool RunsUnderWine() { return GetEnvironmentVariableW(L"WINELOADER", nullptr, 0) > 0; }

int RunSelfWithCyrillicLocale(const std::string& filter, std::string& output) {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    char loader[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("WINELOADER", loader, MAX_PATH)) return -1;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring base = std::wstring(temp) + L"uni_cyrillic_" + std::to_wstring(GetCurrentProcessId());
    const std::wstring outName = base + L".out", doneName = base + L".done";
    DeleteFileW(outName.c_str());
    DeleteFileW(doneName.c_str());
    const std::string unixExe = UnixName(exe), unixOut = UnixName(outName), unixDone = UnixName(doneName);
    if (unixExe.empty() || unixOut.empty()) return -1;
    const std::string script = "LC_ALL=ru_RU.UTF-8 LANG=ru_RU.UTF-8 VANTOREL_UNI_CYRILLIC_CHILD=1 '" +
                               std::string(loader) + "' '" + unixExe + "' --gtest_color=no '--gtest_filter=" + filter +
                               "' > '" + unixOut + "' 2>&1; echo $? > '" + unixDone + ".tmp'; mv '" + unixDone +
                               ".tmp' '" + unixDone + "'";
    std::wstring command = L"/bin/sh -c \"" + std::wstring(script.begin(), script.end()) + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(L"Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // The handle of a Unix process cannot be waited on: the shell leaves a file when the child is done.
    for (int waited = 0; waited < 180000; waited += 100) {
        const std::string done = ReadWholeFile(doneName);
        if (!done.empty()) {
            output = ReadWholeFile(outName);
            DeleteFileW(outName.c_str());
            DeleteFileW(doneName.c_str());
            return std::atoi(done.c_str());
        }
        // The parent's windows keep answering while the child runs.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    return -1;
}

}  // namespace testsupport
#endif
