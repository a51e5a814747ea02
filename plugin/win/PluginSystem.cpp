#include "plugin/win/PluginSystem.h"

#include <windows.h>

#include "plugin/core/FilterExchange.h"
#include "classlib/win/WideChars.h"

namespace {

// A kernel handle closed when it goes out of scope.
class TKernelHandle {
public:
    explicit TKernelHandle(HANDLE handle) : handle_(handle) {}
    ~TKernelHandle() {
        if (handle_ != nullptr) CloseHandle(handle_);
    }
    TKernelHandle(const TKernelHandle&) = delete;
    TKernelHandle& operator=(const TKernelHandle&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

}  // namespace

std::u16string ReadProgramPath() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Kelvo\\Plavex\\Vantorel", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    BYTE buffer[1024];
    DWORD type = 0;
    DWORD size = sizeof buffer;
    const LSTATUS status = RegQueryValueExW(key, nullptr, nullptr, &type, buffer, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return {};
    return filterexchange::ProgramPathFromValue(type, buffer, size);
}

TTempFile::TTempFile() {
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) return;
    wchar_t name[MAX_PATH];
    if (GetTempFileNameW(folder, L"PSPF", 0, name) == 0) return;
    name_ = FromWideChars(name);
}

TTempFile::~TTempFile() {
    if (!name_.empty()) DeleteFileW(WideCStr(name_));
}

TProgramRun RunProgram(const std::u16string& commandLine, const std::u16string& workingDirectory) {
    TProgramRun run;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMAXIMIZED;
    PROCESS_INFORMATION process{};
    std::u16string line = commandLine;  // CreateProcessW may write into its command line
    if (!CreateProcessW(nullptr, WideBuffer(line), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDirectory.empty() ? nullptr : WideCStr(workingDirectory), &startup, &process)) {
        run.error = GetLastError();
        return run;
    }
    run.started = true;
    const TKernelHandle processHandle(process.hProcess);
    const TKernelHandle threadHandle(process.hThread);
    bool quit = false;
    WPARAM quitCode = 0;
    DWORD code = STILL_ACTIVE;
    bool known = false;
    while ((known = GetExitCodeProcess(processHandle.Get(), &code) != 0) && code == STILL_ACTIVE) {
        MSG msg;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            Sleep(10);
            continue;
        }
        if (msg.message == WM_QUIT) {
            quit = true;
            quitCode = msg.wParam;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // A failed query tells nothing about the program's result: it is not taken as a confirmation.
    run.exitCode = known ? code : 1;
    if (quit) PostQuitMessage(int(quitCode));
    return run;
}
