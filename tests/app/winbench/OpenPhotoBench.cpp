// Opening a 6000 x 4000 JPEG, beside GDI+ alone decoding the same file into 24-bit pixels, the medians of several
// rounds. Each round times, in this order:
// - start-up alone: the program without a file, from CreateProcess until its window captioned "Vantorel" has
//   painted itself and all its children (a forced, synchronous update);
// - the photo from the command line, from CreateProcess until the window, captioned with the photo's name, has
//   painted itself the same way;
// - in that running program, File > Open of a second photo of the same size (Ctrl+O, its name typed into the
//   dialog), from OK until the window shows the second photo's name and has painted;
// - the Previous or Next image button (whichever leads back to the first photo), from the click on it until
//   the first photo's name is shown and painted;
// - GDI+ decoding the photo alone.
// The program runs over a state file with the demonstrations window's start-up setting cleared. The photos are
// written to a folder of their own, so that Previous and Next see these two alone.
//
//   winbench_OpenPhotoBench [runs] [folder]   (default: 5 runs, the temporary folder)
#include <windows.h>

#include <dlgs.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/core/KelvoPixelOps.h"
#include "app/win/KelvoGraphicsIO.h"
#include "tests/app/support/GdiPlusDecode.h"
#include "tests/app/support/ProgramStateFile.h"
#include "tests/support/ProgramWindow.h"

using namespace Gdiplus;

namespace {

constexpr std::int32_t Width = 6000, Height = 4000;

double Now() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Smooth gradients with fine texture, so the decoder has a photo's work; each seed makes a photo of its own.
void Fill(TKelvoPixels& p, std::uint32_t seed) {
    for (std::int32_t y = 0; y < p.Height(); ++y)
        for (std::int32_t x = 0; x < p.Width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 28) - 8;
            MakeBGR(p.PixelAddress(x, y), Byte(std::clamp(x / 24 + noise, 0, 255)),
                    Byte(std::clamp(y / 16 + noise, 0, 255)), Byte(std::clamp((x + y) / 40 + noise, 0, 255)));
        }
}

constexpr const wchar_t* ProgramTitle = L"Vantorel";

// Real input, as a user gives it (the benchmark links no test support).
void SendKeys(std::initializer_list<std::pair<WORD, bool>> keys) {
    std::vector<INPUT> inputs;
    for (const auto& [vk, up] : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = WORD(::MapVirtualKeyW(vk, 0));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    }
    ::SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

void ClickAt(POINT p) {
    ::SetCursorPos(p.x, p.y);
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, input, sizeof(INPUT));
}

HWND WaitForWindow(const PROCESS_INFORMATION& info, const std::wstring& caption) {
    const ULONGLONG limit = ::GetTickCount64() + 60000;
    while (::GetTickCount64() < limit) {
        if (HWND window = testsupport::FindProcessWindow(info.dwProcessId, caption)) return window;
        if (::WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    std::fprintf(stderr, "no window \"%ls\" appeared\n", caption.c_str());
    return nullptr;
}

// The paint of every part of the window, done by the program's thread before this returns.
void PaintNow(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// File > Open of photo in the running program: the milliseconds from OK until the window shows its name and has
// painted; negative on failure.
double OpenThroughTheDialog(const PROCESS_INFORMATION& info, HWND window, const std::wstring& photo,
                            const std::wstring& caption) {
    ::SetForegroundWindow(window);
    SendKeys({{VK_CONTROL, false}, {'O', false}, {'O', true}, {VK_CONTROL, true}});
    // The open dialog: the system's dialog class.
    HWND dialog = nullptr;
    const ULONGLONG limit = ::GetTickCount64() + 30000;
    while (!dialog && ::GetTickCount64() < limit) {
        ::Sleep(5);
        dialog = testsupport::FindProcessWindowOfClass(info.dwProcessId, L"#32770");
    }
    if (!dialog) {
        std::fprintf(stderr, "the open dialog did not come up\n");
        return -1;
    }
    // The file name field of either dialog style.
    ::SetDlgItemTextW(dialog, edt1, photo.c_str());
    ::SetDlgItemTextW(dialog, cmb13, photo.c_str());
    const double start = Now();
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    HWND shown = WaitForWindow(info, caption);
    if (!shown) return -1;
    PaintNow(shown);
    return Now() - start;
}

BOOL CALLBACK MatchStandardToolbar(HWND child, LPARAM data) {
    wchar_t name[32] = {}, text[32] = {};
    ::GetClassNameW(child, name, 32);
    ::InternalGetWindowText(child, text, 32);
    if (std::wstring(name) != L"TSkinToolbar" || std::wstring(text) != L"Standard") return TRUE;
    *reinterpret_cast<HWND*>(data) = child;
    return FALSE;
}

// The standard toolbar: the descendant of the main window of the toolbar class captioned "Standard".
HWND StandardToolbar(HWND window) {
    HWND found = nullptr;
    ::EnumChildWindows(window, &MatchStandardToolbar, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The names of the folder's files in the order the system lists them, which is the order of Previous and Next.
std::vector<std::wstring> ListedNames(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((folder + L"*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
}

// Back from the second photo to the first through the standard toolbar's Previous or Next image button: the
// milliseconds from the click until the window shows the first photo's name and has painted; negative on
// failure. The buttons are found where the program lays them out in English with its own theme: Open, Save,
// a separator, then Previous and Next, centred 99 and 134 pixels from the toolbar's left edge. A click that
// misses never shows the first photo's name, and the round fails.
double OpenThroughTheButton(const PROCESS_INFORMATION& info, HWND window, const std::wstring& first,
                            const std::wstring& second, const std::wstring& caption) {
    const HWND toolbar = StandardToolbar(window);
    RECT bar{};
    if (!toolbar || !::GetWindowRect(toolbar, &bar)) {
        std::fprintf(stderr, "the standard toolbar was not found\n");
        return -1;
    }
    const std::wstring folder = first.substr(0, first.find_last_of(L"\\/") + 1);
    const std::vector<std::wstring> names = ListedNames(folder);
    const auto at = [&](const std::wstring& path) {
        return std::find(names.begin(), names.end(), path.substr(folder.size())) - names.begin();
    };
    const bool previous = at(first) < at(second);
    const POINT button{bar.left + (previous ? 99 : 134), (bar.top + bar.bottom) / 2};
    ::SetForegroundWindow(window);
    ::SetCursorPos(button.x, button.y);
    const double start = Now();
    ClickAt(button);
    HWND shown = WaitForWindow(info, caption);
    if (!shown) return -1;
    PaintNow(shown);
    return Now() - start;
}

// One round: start-up alone, the photo from the command line, File > Open of the second photo, then back to the
// first through Previous or Next. Each figure is negative when its step failed.
struct TRound {
    double StartUp = -1, CommandLine = -1, FileOpen = -1, Browse = -1;
};

PROCESS_INFORMATION Start(const std::wstring& program, const std::wstring& argument) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + program + L"\"" + (argument.empty() ? L"" : L" \"" + argument + L"\"");
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info))
        std::fprintf(stderr, "cannot start the program: error %lu\n", ::GetLastError());
    return info;
}

// Closes the program (its window first) and waits for it; false when it had to be ended.
bool Close(PROCESS_INFORMATION& info, HWND window) {
    if (window) ::PostMessageW(window, WM_CLOSE, 0, 0);
    bool closed = ::WaitForSingleObject(info.hProcess, 30000) == WAIT_OBJECT_0;
    if (!closed) ::TerminateProcess(info.hProcess, 99);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return closed;
}

TRound OneRound(const std::wstring& program, const std::wstring& first, const std::wstring& second) {
    TRound round;
    const auto caption = [](const std::wstring& path) {
        return std::wstring(ProgramTitle) + L" - " + path.substr(path.find_last_of(L"\\/") + 1);
    };
    double start = Now();
    PROCESS_INFORMATION info = Start(program, L"");
    if (!info.hProcess) return round;
    HWND window = WaitForWindow(info, ProgramTitle);
    if (window) {
        PaintNow(window);
        round.StartUp = Now() - start;
    }
    if (!Close(info, window) || !window) return TRound{};

    start = Now();
    info = Start(program, first);
    if (!info.hProcess) return round;
    window = WaitForWindow(info, caption(first));
    if (window) {
        PaintNow(window);
        round.CommandLine = Now() - start;
        round.FileOpen = OpenThroughTheDialog(info, window, second, caption(second));
        if (round.FileOpen >= 0) round.Browse = OpenThroughTheButton(info, window, first, second, caption(first));
    }
    if (!Close(info, window)) return TRound{};
    return round;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::wstring folder;
    if (argc > 2) {
        const std::string given = argv[2];
        folder.assign(given.begin(), given.end());
    } else {
        wchar_t temp[MAX_PATH];
        folder.assign(temp, ::GetTempPathW(MAX_PATH, temp));
    }
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    folder += L"vantorel-open-bench\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring photos[2] = {folder + L"first-photo.jpg", folder + L"second-photo.jpg"};
    std::wstring program(MAX_PATH, L'\0');
    program.resize(::GetModuleFileNameW(nullptr, program.data(), MAX_PATH));
    program = program.substr(0, program.rfind(L'\\') + 1) + L"..\\product\\Vantorel.exe";
    const std::wstring stateFile = testsupport::ProgramStateFile(program);
    if (stateFile.empty() || !testsupport::WriteProgramStateFile(stateFile, false)) {
        std::fprintf(stderr, "cannot write the program's state file\n");
        return 1;
    }

    TKelvoGdiPlusUser gdiplus;
    if (!gdiplus.Use()) {
        std::fprintf(stderr, "GDI+ is not available\n");
        return 1;
    }
    for (std::uint32_t i = 0; i < 2; ++i) {
        TKelvoPixelBuffer pixels(KelvoFormatBGR24, TKelvoRect{0, 0, Width, Height});
        Fill(pixels, 12345 + i);
        TKelvoProperties none;
        if (!WriteGraphicsFile(std::u16string(photos[i].begin(), photos[i].end()), KelvoFormatJPEG, pixels,
                               TKelvoRect{}, none, TKelvoResolution{}, 90)) {
            std::fprintf(stderr, "cannot write the photos\n");
            return 1;
        }
    }

    std::vector<double> startUp, commandLine, fileOpen, browse, decode;
    for (int i = 0; i < runs; ++i) {
        const TRound round = OneRound(program, photos[0], photos[1]);
        if (round.StartUp < 0 || round.CommandLine < 0 || round.FileOpen < 0 || round.Browse < 0) return 1;
        startUp.push_back(round.StartUp);
        commandLine.push_back(round.CommandLine);
        fileOpen.push_back(round.FileOpen);
        browse.push_back(round.Browse);
        TKelvoPixelBuffer decoded;
        const double start = Now();
        if (!benchsupport::DecodeWithGdiPlus(std::u16string(photos[0].begin(), photos[0].end()), decoded)) return 1;
        decode.push_back(Now() - start);
        std::printf(
            "run %d: start-up %.0f ms, photo from the command line %.0f ms, File > Open %.0f ms, Previous/Next "
            "%.0f ms, GDI+ decode %.0f ms\n",
            i + 1, round.StartUp, round.CommandLine, round.FileOpen, round.Browse, decode.back());
    }
    const double s = Median(startUp), c = Median(commandLine), f = Median(fileOpen), b = Median(browse),
                 d = Median(decode);
    std::printf("6000 x 4000 JPEG, medians of %d: start-up alone %.0f ms, GDI+ decode alone %.0f ms\n", runs, s, d);
    std::printf("  from the command line to the first full paint %.0f ms: start-up + %.2f x decode\n", c, (c - s) / d);
    std::printf("  a second photo by File > Open %.0f ms: %.2f x decode\n", f, f / d);
    std::printf("  back by Previous/Next %.0f ms: %.2f x decode\n", b, b / d);
    for (const std::wstring& photo : photos) ::DeleteFileW(photo.c_str());
    ::RemoveDirectoryW(folder.c_str());
    ::DeleteFileW(stateFile.c_str());
    return 0;
}
