// Starts the program twice the way a user does. The first run, over a damaged state file and a language
// folder of broken files: the main window appears, is moved, and closing it ends the program with exit code
// 0 after it wrote its state file. The second run: the window
// comes back where the first one left it, so the state file was read. Also prints the processor time the
// first run used while it sat idle, which must stay under 1 % of one core (an idle handler that provokes a
// message on every pass would keep it near 100 %).
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/ProgramWindow.h"

namespace {

HWND WaitForMainWindow(DWORD pid, HANDLE process) {
    for (int i = 0; i < 600; ++i) {
        if (HWND found = testsupport::FindProcessWindow(pid, L"Vantorel")) return found;
        if (WaitForSingleObject(process, 50) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

double CpuSeconds(HANDLE process) {
    FILETIME creation, exit, kernel, user;
    if (!GetProcessTimes(process, &creation, &exit, &kernel, &user)) return -1;
    auto seconds = [](FILETIME t) { return double((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7; };
    return seconds(kernel) + seconds(user);
}

std::wstring StateFileName() {
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, FALSE)) return L"";
    return std::wstring(folder) + L"\\Vantorel\\Vantorel.cfg";
}

std::vector<unsigned char> ReadAll(const std::wstring& name) { return testsupport::ReadWholeFile(name); }

void WriteAll(const std::wstring& name, const void* data, DWORD size) { testsupport::WriteWholeFile(name, data, size); }

struct Run {
    PROCESS_INFORMATION info{};
    HWND window = nullptr;
};

bool Start(const char* program, Run& run) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string commandLine = std::string("\"") + program + "\"";
    if (!CreateProcessA(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &run.info)) {
        std::fprintf(stderr, "cannot start %s: error %lu\n", program, GetLastError());
        return false;
    }
    run.window = WaitForMainWindow(run.info.dwProcessId, run.info.hProcess);
    if (!run.window) {
        std::fprintf(stderr, "the main window did not appear\n");
        TerminateProcess(run.info.hProcess, 99);
        return false;
    }
    return true;
}

// Closes the main window; true when the program then ended with exit code 0.
bool CloseAndCheckExit(Run& run) {
    PostMessageW(run.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(run.info.hProcess, 30000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "the program did not end after its main window closed\n");
        TerminateProcess(run.info.hProcess, 99);
        return false;
    }
    DWORD code = 0;
    GetExitCodeProcess(run.info.hProcess, &code);
    CloseHandle(run.info.hThread);
    CloseHandle(run.info.hProcess);
    if (code != 0) {
        std::fprintf(stderr, "exit code %lu, expected 0\n", code);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: harness_start_program VANTOREL.EXE [IDLE-SECONDS]\n");
        return 2;
    }
    const int idleSeconds = argc > 2 ? std::atoi(argv[2]) : 3;
    const std::wstring stateFile = StateFileName();
    // The first run meets a damaged state file (a node cut off inside its key, then a value claiming 4 GiB)
    // and a language folder holding files that are no languages; neither may keep it from starting.
    const unsigned char damaged[] = {0xD5, 0x01, 0x0D, 0x10, 0xFF, 0xD7, 0xF6, 0x7A,
                                     0x7F, 0x03, 0x0E, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    CreateDirectoryW(stateFile.substr(0, stateFile.rfind(L'\\')).c_str(), nullptr);
    WriteAll(stateFile, damaged, sizeof(damaged));
    // The program lies beside this harness.
    std::wstring languages(MAX_PATH, L'\0');
    languages.resize(GetModuleFileNameW(nullptr, languages.data(), MAX_PATH));
    languages = languages.substr(0, languages.rfind(L'\\')) + L"\\Languages";
    const bool ownLanguages = CreateDirectoryW(languages.c_str(), nullptr) != 0;
    const unsigned char utf16[] = {0xFF, 0xFE, '[', 0, 'L', 0};
    const unsigned char garbage[] = "[Language]\r\nLangId=1033\r\nCodePage=99999\r\n[Strings]\r\n1=\xC3\r\n\xFF=\xFE";
    WriteAll(languages + L"\\a.ini", utf16, sizeof(utf16));
    WriteAll(languages + L"\\b.ini", garbage, sizeof(garbage) - 1);
    CreateDirectoryW((languages + L"\\c.ini").c_str(), nullptr);

    Run first;
    if (!Start(argv[1], first)) return 1;
    const RECT placed{123, 77, 123 + 640, 77 + 480};
    SetWindowPos(first.window, nullptr, placed.left, placed.top, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    Sleep(500);  // let the program settle before measuring
    const double before = CpuSeconds(first.info.hProcess);
    Sleep(DWORD(idleSeconds) * 1000);
    const double after = CpuSeconds(first.info.hProcess);
    std::printf("idle: %.3f s of processor time in %d s (%.2f %% of one core); %.3f s since start\n", after - before,
                idleSeconds, 100.0 * (after - before) / idleSeconds, after);
    const bool idle = after - before < 0.01 * idleSeconds;
    if (!idle) std::fprintf(stderr, "the idle program used more than 1 %% of one core\n");
    const bool firstEnded = CloseAndCheckExit(first);
    DeleteFileW((languages + L"\\a.ini").c_str());
    DeleteFileW((languages + L"\\b.ini").c_str());
    RemoveDirectoryW((languages + L"\\c.ini").c_str());
    if (ownLanguages) RemoveDirectoryW(languages.c_str());
    if (!firstEnded || !idle) return 1;

    const std::vector<unsigned char> state = ReadAll(stateFile);
    // The main window's node: kind 3 with one-byte id, type and size; id 1, GUID type 13, 16 bytes.
    if (state.size() < 4 || state[0] != 0xD5 || state[1] != 0x01 || state[2] != 0x0D || state[3] != 0x10) {
        std::fprintf(stderr, "no main window node in the state file (%zu bytes)\n", state.size());
        return 1;
    }

    Run second;
    if (!Start(argv[1], second)) return 1;
    RECT rect{};
    GetWindowRect(second.window, &rect);
    const bool restored = EqualRect(&rect, &placed);
    if (!restored)
        std::fprintf(stderr, "window at %ld,%ld-%ld,%ld, expected %ld,%ld-%ld,%ld\n", rect.left, rect.top, rect.right,
                     rect.bottom, placed.left, placed.top, placed.right, placed.bottom);
    if (!CloseAndCheckExit(second)) return 1;
    return restored ? 0 : 1;
}
