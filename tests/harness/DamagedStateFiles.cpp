// Starts the complete program over 200 damaged copies of a real state file: each time the main window must come
// up and closing it must end the program with exit code 0. The state file is first written by a session of the
// program that opened a photograph, moved its window and ended; every copy then has random bytes flipped, runs
// cut out or cut off, or runs repeated. The runs go eight at a time, each through a copy of the program under
// its own name (a program keeps its state file under its own name), so they do not share a file.
//
//   harness_damaged_state_files VANTOREL.EXE [COPIES] [SEED]
#include <windows.h>
#include <shlobj.h>

#include <atomic>
#include <cstdio>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/ProgramWindow.h"

namespace {

constexpr int kWorkers = 8;
constexpr DWORD kWaitMs = 60000;

std::wstring AppDataFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, TRUE)) return L"";
    return folder;
}

bool WriteAll(const std::wstring& name, const std::vector<unsigned char>& bytes) {
    return testsupport::WriteWholeFile(name, bytes.data(), bytes.size());
}

// The program's main window: a visible top-level window of the process with the main form's window class.
HWND MainWindowOf(DWORD pid) { return testsupport::FindProcessWindowOfClass(pid, L"TMainForm.UnicodeClass"); }

// Starts the program, waits for its main window, optionally moves it, closes it; the empty text when all went
// well, else what did not.
std::string RunOnce(const std::wstring& program, const std::wstring& arguments, bool move) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return "cannot start the program (error " + std::to_string(GetLastError()) + ")";
    HWND window = nullptr;
    for (DWORD waited = 0; !window && waited < kWaitMs; waited += 50) {
        window = MainWindowOf(info.dwProcessId);
        if (!window && WaitForSingleObject(info.hProcess, 50) == WAIT_OBJECT_0) break;
    }
    std::string failure;
    if (!window) {
        failure = "the main window did not come up";
    } else {
        if (move) SetWindowPos(window, nullptr, 31, 17, 700, 500, SWP_NOZORDER | SWP_NOACTIVATE);
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(info.hProcess, kWaitMs) != WAIT_OBJECT_0) {
        if (failure.empty()) failure = "the program did not end after its main window closed";
        TerminateProcess(info.hProcess, 99);
        WaitForSingleObject(info.hProcess, kWaitMs);
    }
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (failure.empty() && code != 0) failure = "exit code " + std::to_string(code);
    return failure;
}

// One to four damages: a byte flipped, a run cut out, the end cut off, or a run repeated in place.
std::vector<unsigned char> Damaged(std::vector<unsigned char> bytes, std::mt19937& random) {
    const int damages = 1 + int(random() % 4);
    for (int d = 0; d < damages && !bytes.empty(); ++d) {
        const std::size_t at = random() % bytes.size();
        const std::size_t length = 1 + random() % std::min<std::size_t>(32, bytes.size() - at);
        switch (random() % 4) {
            case 0: bytes[at] ^= static_cast<unsigned char>(1 + random() % 255); break;
            case 1: bytes.erase(bytes.begin() + std::ptrdiff_t(at), bytes.begin() + std::ptrdiff_t(at + length)); break;
            case 2: bytes.resize(at); break;
            default: {
                const std::vector<unsigned char> run(bytes.begin() + std::ptrdiff_t(at),
                                                     bytes.begin() + std::ptrdiff_t(at + length));
                const int times = 1 + int(random() % 3);
                for (int t = 0; t < times; ++t)
                    bytes.insert(bytes.begin() + std::ptrdiff_t(at), run.begin(), run.end());
            }
        }
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: harness_damaged_state_files VANTOREL.EXE [COPIES] [SEED]\n");
        return 2;
    }
    const int copies = argc > 2 ? std::atoi(argv[2]) : 200;
    const unsigned seed = argc > 3 ? unsigned(std::strtoul(argv[3], nullptr, 10)) : std::random_device{}();
    std::printf("seed %u (give it as the third argument to repeat these copies)\n", seed);

    // The copies lie beside this harness, among the test programs, which have the program's languages and
    // demonstrations beside them too: the product's folder stays as it was built.
    std::wstring program(MAX_PATH, L'\0');
    program.resize(MultiByteToWideChar(CP_ACP, 0, argv[1], -1, program.data(), MAX_PATH) - 1);
    std::wstring harness(MAX_PATH, L'\0');
    harness.resize(GetModuleFileNameW(nullptr, harness.data(), MAX_PATH));
    const std::wstring folder = harness.substr(0, harness.find_last_of(L"\\/") + 1);
    const std::wstring appData = AppDataFolder();
    std::vector<std::wstring> names;
    for (int w = 0; w < kWorkers; ++w) {
        names.push_back(L"VantorelState" + std::to_wstring(w));
        if (!CopyFileW(program.c_str(), (folder + names.back() + L".exe").c_str(), FALSE)) {
            std::fprintf(stderr, "cannot copy the program (error %lu)\n", GetLastError());
            return 1;
        }
        const std::wstring stateFolder = appData + L"\\" + names.back();
        CreateDirectoryW(stateFolder.c_str(), nullptr);
        DeleteFileW((stateFolder + L"\\" + names.back() + L".cfg").c_str());
    }
    auto stateFile = [&](int w) { return appData + L"\\" + names[w] + L"\\" + names[w] + L".cfg"; };
    auto copyOf = [&](int w) { return folder + names[w] + L".exe"; };

    // A session that used the program: a photograph opened, the window moved, the program ended.
    const std::string session = RunOnce(copyOf(0), L"\"" + folder + L"Images\\Facade.jpg\"", true);
    const std::vector<unsigned char> state = testsupport::ReadWholeFile(stateFile(0));
    if (!session.empty() || state.size() < 64) {
        std::fprintf(stderr, "the first session failed: %s (state file of %zu bytes)\n", session.c_str(), state.size());
        return 1;
    }
    std::printf("state file of the session: %zu bytes\n", state.size());

    std::mt19937 random(seed);
    std::vector<std::vector<unsigned char>> damaged;
    for (int i = 0; i < copies; ++i) damaged.push_back(Damaged(state, random));

    std::atomic<int> next{0}, failures{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < kWorkers; ++w) {
        workers.emplace_back([&, w] {
            for (int i = next++; i < copies; i = next++) {
                std::string failure;
                if (!WriteAll(stateFile(w), damaged[std::size_t(i)]))
                    failure = "cannot write the state file";
                else
                    failure = RunOnce(copyOf(w), L"", false);
                if (failure.empty()) continue;
                ++failures;
                std::fprintf(stderr, "copy %d (%zu bytes): %s\n", i, damaged[std::size_t(i)].size(), failure.c_str());
                WriteAll(folder + L"damaged-state-" + std::to_wstring(i) + L".cfg", damaged[std::size_t(i)]);
            }
        });
    }
    for (std::thread& worker : workers) worker.join();
    for (int w = 0; w < kWorkers; ++w) {
        DeleteFileW(copyOf(w).c_str());
        DeleteFileW(stateFile(w).c_str());
        RemoveDirectoryW((appData + L"\\" + names[w]).c_str());
    }
    std::printf("%d of %d damaged state files started and ended the program as they should\n", copies - failures,
                copies);
    return failures == 0 ? 0 : 1;
}
