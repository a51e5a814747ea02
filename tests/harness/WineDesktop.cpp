// wine-desktop.exe NAME PROGRAM [ARGS...]: runs a Windows program under Wine on a desktop of its own, named NAME,
// and returns the program's exit code. Built beside the test programs; scripts/wine-run runs window tests
// through it.
//
// Why: the foreground window, the active window and the focus belong to a desktop, and every program of a prefix
// shares the prefix's default desktop. Window test programs run side by side there take the activation and typed
// keys from each other. With a desktop of its own and an X display of its own (the caller's DISPLAY) a program
// is alone: Wine shows the desktop on the whole display, as it shows the default one.
//
// `explorer /desktop=NAME PROGRAM` would do the same but loses the program's exit code. A virtual desktop (a size
// for NAME under HKCU\Software\Wine\Explorer\Desktops) was tried too: there the pointer moves that SetCursorPos
// makes reached the window under the pointer only now and then (a hint test failed 6 times in 30).
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

// The command line after its first `count` arguments, so that the program's own arguments reach it exactly as
// they were given. The arguments skipped (this runner's path and the desktop's name) hold no quote characters, so
// quotes only group blanks here.
const wchar_t* SkipArguments(const wchar_t* line, int count) {
    for (int i = 0; i < count; ++i) {
        while (*line == L' ' || *line == L'\t') ++line;
        for (bool quoted = false; *line && (quoted || (*line != L' ' && *line != L'\t')); ++line) {
            if (*line == L'"') quoted = !quoted;
        }
    }
    while (*line == L' ' || *line == L'\t') ++line;
    return line;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: wine-desktop.exe NAME PROGRAM [ARGS...]\n");
        return 2;
    }
    std::wstring desktop = argv[1];
    std::wstring commandLine = SkipArguments(GetCommandLineW(), 2);

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.lpDesktop = desktop.data();
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    // The program and what it starts (the desktop's own process among them) run in a job that ends them all when
    // it is closed: when the program has ended, or when this runner is stopped. Nothing of the run outlives it; the
    // desktop's process would otherwise stay a while, holding the caller's output, and then find its display gone.
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof(limits));
    PROCESS_INFORMATION process{};
    DWORD exitCode = 1;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr, nullptr,
                       &startup, &process)) {
        AssignProcessToJobObject(job, process.hProcess);
        ResumeThread(process.hThread);
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        std::fwprintf(stderr, L"wine-desktop: could not start %ls (error %lu)\n", commandLine.c_str(), GetLastError());
    }
    CloseHandle(job);
    return static_cast<int>(exitCode);
}
