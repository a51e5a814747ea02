// The real program started while a printer is being set up: a user whose printer is being installed, or whose
// spooler is busy, still gets the main window. A thread of the test adds and removes a printer without pause
// while the program starts several times; every start shows the main window, and closing it ends the program.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "support/ProgramWindow.h"
#include "support/TestSupport.h"
#include "tests/app/support/ProgramStateFile.h"
#include "tests/support/FilePrinter.h"

namespace {

// The product's program, in the product's folder beside the tests' one.
std::wstring ProductProgram() {
    std::wstring self(MAX_PATH, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
    return self.substr(0, self.rfind(L'\\') + 1) + L"..\\product\\Vantorel.exe";
}

// The program's main window shown within the time limit; the process is ended when it is not.
bool StartsAndEnds(const std::wstring& program, std::string& failure) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info)) {
        failure = "the program could not be started";
        return false;
    }
    HWND window = nullptr;
    // Far above a start-up on a loaded machine; the hang this guards against never ended.
    const DWORD limit = ::GetTickCount() + 60000;
    while (!window && ::GetTickCount() < limit) {
        window = testsupport::FindProcessWindow(info.dwProcessId, L"Vantorel");
        if (!window && ::WaitForSingleObject(info.hProcess, 20) == WAIT_OBJECT_0) break;
    }
    bool ended = false;
    if (window) {
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        ended = ::WaitForSingleObject(info.hProcess, 30000) == WAIT_OBJECT_0;
    }
    if (!ended) ::TerminateProcess(info.hProcess, 99);
    failure = !window ? "the main window did not appear" : !ended ? "the program did not end" : "";
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return window && ended;
}

}  // namespace

TEST(ProgramBesidePrinterChange, StartsWhileAPrinterIsAddedAndRemoved) {
    testsupport::TempDir dir;
    std::atomic<bool> stop{false};
    std::atomic<int> changes{0};
    std::thread printers([&] {
        while (!stop) {
            testsupport::FilePrinter printer(dir.File("printed.ps"));
            ++changes;
        }
    });
    const std::wstring program = ProductProgram();
    // Without the demonstrations window of a first start: the main window alone comes up.
    ASSERT_TRUE(testsupport::WriteProgramStateFile(testsupport::ProgramStateFile(program), false));
    for (int run = 0; run < 4; ++run) {
        std::string failure;
        EXPECT_TRUE(StartsAndEnds(program, failure)) << "start " << run + 1 << ": " << failure;
    }
    stop = true;
    printers.join();
    // The printer really changed while the program started.
    EXPECT_GT(changes.load(), 4);
}
