// Opening a 6000 x 4000 JPEG from the command line: from CreateProcess until the program's window, captioned
// with the photo's name, has painted itself and all its children (a forced, synchronous update), beside GDI+
// alone decoding the same file into 24-bit pixels; the medians of several runs.
//
//   winbench_OpenPhotoBench [runs] [folder]   (default: 5 runs, the temporary folder)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/core/KelvoPixelOps.h"
#include "app/win/KelvoGraphicsIO.h"
#include "tests/app/support/GdiPlusDecode.h"
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

// Smooth gradients with fine texture, so the decoder has a photo's work.
void Fill(TKelvoPixels& p) {
    std::uint32_t seed = 12345;
    for (std::int32_t y = 0; y < p.Height(); ++y)
        for (std::int32_t x = 0; x < p.Width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 28) - 8;
            MakeBGR(p.PixelAddress(x, y), Byte(std::clamp(x / 24 + noise, 0, 255)),
                    Byte(std::clamp(y / 16 + noise, 0, 255)), Byte(std::clamp((x + y) / 40 + noise, 0, 255)));
        }
}

// Milliseconds until the photo is on the screen; negative when the program failed.
double OpenInProgram(const std::wstring& program, const std::wstring& photo, const std::wstring& caption) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + program + L"\" \"" + photo + L"\"";
    const double start = Now();
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info)) {
        std::fprintf(stderr, "cannot start the program: error %lu\n", ::GetLastError());
        return -1;
    }
    HWND window = nullptr;
    for (int i = 0; i < 60000 && !window; ++i) {
        window = testsupport::FindProcessWindow(info.dwProcessId, caption);
        if (!window && ::WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    double ms = -1;
    if (window) {
        // The paint of every part of the window, done now by the program's thread before this returns.
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ms = Now() - start;
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    } else {
        std::fprintf(stderr, "the photo's window did not appear\n");
    }
    if (::WaitForSingleObject(info.hProcess, 30000) != WAIT_OBJECT_0) {
        ::TerminateProcess(info.hProcess, 99);
        ms = -1;
    }
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return ms;
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
    const std::wstring photo = folder + L"vantorel-bench-photo.jpg";
    std::wstring program(MAX_PATH, L'\0');
    program.resize(::GetModuleFileNameW(nullptr, program.data(), MAX_PATH));
    program = program.substr(0, program.rfind(L'\\') + 1) + L"..\\product\\Vantorel.exe";

    TKelvoGdiPlusUser gdiplus;
    if (!gdiplus.Use()) {
        std::fprintf(stderr, "GDI+ is not available\n");
        return 1;
    }
    {
        TKelvoPixelBuffer pixels(KelvoFormatBGR24, TKelvoRect{0, 0, Width, Height});
        Fill(pixels);
        TKelvoProperties none;
        if (!WriteGraphicsFile(std::u16string(photo.begin(), photo.end()), KelvoFormatJPEG, pixels, TKelvoRect{}, none,
                               TKelvoResolution{}, 90)) {
            std::fprintf(stderr, "cannot write the photo\n");
            return 1;
        }
    }

    std::vector<double> programMs, gdiplusMs;
    for (int i = 0; i < runs; ++i) {
        const double ms = OpenInProgram(program, photo, L"Vantorel - vantorel-bench-photo.jpg");
        if (ms < 0) return 1;
        programMs.push_back(ms);
        TKelvoPixelBuffer decoded;
        const double start = Now();
        if (!benchsupport::DecodeWithGdiPlus(std::u16string(photo.begin(), photo.end()), decoded)) return 1;
        gdiplusMs.push_back(Now() - start);
        std::printf("run %d: program %.0f ms, GDI+ decode %.0f ms\n", i + 1, programMs.back(), gdiplusMs.back());
    }
    const double ours = Median(programMs), theirs = Median(gdiplusMs);
    std::printf(
        "6000 x 4000 JPEG: program to the first full paint %.0f ms, GDI+ decode alone %.0f ms "
        "(median of %d; ratio %.2f)\n",
        ours, theirs, runs, ours / theirs);
    ::DeleteFileW(photo.c_str());
    return 0;
}
