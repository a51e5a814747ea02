// Start-up time of the program: from CreateProcess until its main window is shown and the program waits for
// input (WaitForInputIdle), the median of several runs. Each run closes the window and waits for the program to
// end before the next one starts.
//
//   winbench_StartupBench [runs] [program]   (default: 10 runs of the product's Vantorel.exe)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/ProgramWindow.h"

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// The seconds until the shown main window is idle; a negative value when the program failed.
double OneRun(const std::wstring& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + program + L"\"";
    LARGE_INTEGER start, shown;
    ::QueryPerformanceCounter(&start);
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info)) {
        std::fprintf(stderr, "cannot start the program: error %lu\n", ::GetLastError());
        return -1;
    }
    HWND window = nullptr;
    for (int i = 0; i < 30000 && !window; ++i) {
        window = testsupport::FindProcessWindow(info.dwProcessId, L"Vantorel");
        if (!window && ::WaitForSingleObject(info.hProcess, 2) == WAIT_OBJECT_0) break;
    }
    if (window) ::WaitForInputIdle(info.hProcess, 60000);
    ::QueryPerformanceCounter(&shown);
    double seconds = Seconds(start, shown);
    if (!window) {
        std::fprintf(stderr, "the main window did not appear\n");
        ::TerminateProcess(info.hProcess, 99);
        seconds = -1;
    } else {
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(info.hProcess, 30000) != WAIT_OBJECT_0) {
            std::fprintf(stderr, "the program did not end\n");
            ::TerminateProcess(info.hProcess, 99);
            seconds = -1;
        }
    }
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    std::wstring program;
    if (argc > 2) {
        program.assign(argv[2], argv[2] + std::strlen(argv[2]));
    } else {
        program.resize(MAX_PATH);
        program.resize(::GetModuleFileNameW(nullptr, program.data(), MAX_PATH));
        program = program.substr(0, program.rfind(L'\\') + 1) + L"..\\product\\Vantorel.exe";
    }
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double t = OneRun(program);
        if (t < 0) return 1;
        times.push_back(t);
        std::printf("run %d: %.0f ms\n", i + 1, t * 1000);
    }
    std::sort(times.begin(), times.end());
    const double median = runs % 2 ? times[runs / 2] : (times[runs / 2 - 1] + times[runs / 2]) / 2;
    std::printf("start-up until the main window is shown and idle: median %.0f ms of %d runs (%.0f .. %.0f ms)\n",
                median * 1000, runs, times.front() * 1000, times.back() * 1000);
    return 0;
}
