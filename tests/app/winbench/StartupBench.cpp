// Start-up time of the program: from CreateProcess until its main window is shown and the program waits for
// input (WaitForInputIdle), beside the floor, our one-window program (winbench_StartupFloor) started the same way
// under the same Wine in the same rounds. The program runs over a state file that says whether the demonstrations
// window comes up at start-up, once with that setting cleared and once with it set (then until that window is
// shown too); each round starts the floor and both once, and the medians are compared. A last run with the
// start-up trace on (VANTOREL_STARTUP_TRACE) prints where the time of one start-up goes, with the setting cleared
// and set. Given a baseline (an earlier build's Vantorel.exe), each round starts it the same two ways as well, so
// that a change is compared with what it changed in the same minutes.
//
//   winbench_StartupBench [runs] [program] [baseline]   (default: 10 rounds of the product's Vantorel.exe)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/ProgramWindow.h"
#include "tests/app/support/ProgramStateFile.h"

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::wstring Beside(const wchar_t* name) {
    std::wstring self(MAX_PATH, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
    return self.substr(0, self.rfind(L'\\') + 1) + name;
}

// The seconds until the shown window captioned "Vantorel" is idle, and with waitForDemonstrations until the
// demonstrations window is shown as well; a negative value when the program failed.
double OneRun(const std::wstring& program, bool waitForDemonstrations) {
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
    HWND window = nullptr, demonstrations = nullptr;
    // A loaded machine may take long; a program that never shows its windows is given up after two minutes.
    const ULONGLONG limit = ::GetTickCount64() + 120000;
    while (::GetTickCount64() < limit && !(window && (demonstrations || !waitForDemonstrations))) {
        if (!window) window = testsupport::FindProcessWindow(info.dwProcessId, L"Vantorel");
        if (waitForDemonstrations && !demonstrations)
            demonstrations = testsupport::FindProcessWindow(info.dwProcessId, L"Demonstrations");
        if (::WaitForSingleObject(info.hProcess, window ? 1 : 2) == WAIT_OBJECT_0) break;
    }
    const bool found = window && (demonstrations || !waitForDemonstrations);
    if (found) ::WaitForInputIdle(info.hProcess, 60000);
    ::QueryPerformanceCounter(&shown);
    double seconds = Seconds(start, shown);
    if (!found) {
        std::fprintf(stderr, "the %s window did not appear\n", window ? "demonstrations" : "main");
        ::TerminateProcess(info.hProcess, 99);
        seconds = -1;
    } else {
        if (demonstrations) ::PostMessageW(demonstrations, WM_CLOSE, 0, 0);
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

// One start-up with the trace on, with the demonstrations window at start-up or without: each phase's end and
// its share.
void PrintTrace(const std::wstring& program, const std::wstring& stateFile, bool demonstrations) {
    wchar_t temp[MAX_PATH];
    const std::wstring trace = std::wstring(temp, ::GetTempPathW(MAX_PATH, temp)) + L"vantorel-startup-trace.txt";
    ::DeleteFileW(trace.c_str());
    ::SetEnvironmentVariableW(L"VANTOREL_STARTUP_TRACE", trace.c_str());
    testsupport::WriteProgramStateFile(stateFile, demonstrations);
    const double total = OneRun(program, demonstrations);
    ::SetEnvironmentVariableW(L"VANTOREL_STARTUP_TRACE", nullptr);
    const std::vector<unsigned char> bytes = testsupport::ReadWholeFile(trace);
    ::DeleteFileW(trace.c_str());
    std::printf(
        "one traced start-up, demonstrations window %s (%.0f ms until idle, seen from here), ms since the "
        "process was created:\n",
        demonstrations ? "on" : "off", total * 1000);
    double previous = 0;
    std::string text(bytes.begin(), bytes.end());
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        char* rest = nullptr;
        const double ms = std::strtod(line.c_str(), &rest);
        if (rest == line.c_str()) continue;
        std::string phase(rest);
        while (!phase.empty() && (phase.back() == '\r' || phase.back() == ' ')) phase.pop_back();
        std::printf("  %7.1f  %+7.1f  %s\n", ms, ms - previous, phase.c_str() + (phase.empty() ? 0 : 1));
        previous = ms;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    std::wstring program;
    if (argc > 2)
        program.assign(argv[2], argv[2] + std::strlen(argv[2]));
    else
        program = Beside(L"..\\product\\Vantorel.exe");
    std::wstring baseline;
    if (argc > 3) baseline.assign(argv[3], argv[3] + std::strlen(argv[3]));
    const std::wstring floor = Beside(L"winbench_StartupFloor.exe");
    const std::wstring stateFile = testsupport::ProgramStateFile(program);
    const std::wstring baselineStateFile = baseline.empty() ? std::wstring() : testsupport::ProgramStateFile(baseline);
    if (stateFile.empty() || (!baseline.empty() && baselineStateFile.empty())) {
        std::fprintf(stderr, "no application data folder\n");
        return 1;
    }
    // The program started over a state file with the setting cleared and then set: both times, or false.
    const auto bothWays = [](const std::wstring& exe, const std::wstring& state, double& cleared, double& set) {
        if (!testsupport::WriteProgramStateFile(state, false)) return false;
        cleared = OneRun(exe, false);
        if (!testsupport::WriteProgramStateFile(state, true)) return false;
        set = OneRun(exe, true);
        return cleared >= 0 && set >= 0;
    };
    // The first start of a process under Wine loads what the following ones find in memory: not measured.
    if (OneRun(floor, false) < 0 || !testsupport::WriteProgramStateFile(stateFile, false) || OneRun(program, false) < 0)
        return 1;

    std::vector<double> floorTimes, clearedTimes, setTimes, baseClearedTimes, baseSetTimes;
    for (int i = 0; i < runs; ++i) {
        const double f = OneRun(floor, false);
        double cleared = 0, set = 0, baseCleared = 0, baseSet = 0;
        if (f < 0 || !bothWays(program, stateFile, cleared, set)) return 1;
        if (!baseline.empty() && !bothWays(baseline, baselineStateFile, baseCleared, baseSet)) return 1;
        floorTimes.push_back(f);
        clearedTimes.push_back(cleared);
        setTimes.push_back(set);
        baseClearedTimes.push_back(baseCleared);
        baseSetTimes.push_back(baseSet);
        std::printf("round %d: floor %.0f ms, program %.0f ms (demonstrations at start-up off), %.0f ms (on)", i + 1,
                    f * 1000, cleared * 1000, set * 1000);
        if (!baseline.empty())
            std::printf("; baseline %.0f ms (off), %.0f ms (on)", baseCleared * 1000, baseSet * 1000);
        std::printf("\n");
    }
    const double f = Median(floorTimes), cleared = Median(clearedTimes), set = Median(setTimes);
    std::printf(
        "start-up until the main window is shown and idle, median of %d: floor %.0f ms; program %.0f ms with the "
        "demonstrations window off (%.2f x the floor), %.0f ms with it on (%.2f x the floor)\n",
        runs, f * 1000, cleared * 1000, cleared / f, set * 1000, set / f);
    if (!baseline.empty()) {
        const double baseCleared = Median(baseClearedTimes), baseSet = Median(baseSetTimes);
        std::printf(
            "baseline, same rounds: %.0f ms off, %.0f ms on; the demonstrations window adds %.0f ms (baseline %.0f "
            "ms)\n",
            baseCleared * 1000, baseSet * 1000, (set - cleared) * 1000, (baseSet - baseCleared) * 1000);
        ::DeleteFileW(baselineStateFile.c_str());
    }
    PrintTrace(program, stateFile, false);
    PrintTrace(program, stateFile, true);
    ::DeleteFileW(stateFile.c_str());
    return 0;
}
