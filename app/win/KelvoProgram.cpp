#include "app/win/KelvoProgram.h"

#include <exception>

#include "app/win/KelvoLanguageFolder.h"
#include "app/win/KelvoStartupTrace.h"
#include "app/win/TKelvoApplication.h"
#include "app/win/TKelvoPrinter.h"
#include "classlib/core/UnitRegistry.h"
#include "classlib/win/ClassLibUnits.h"
#include "themed/win/TPNGBitmap.h"
#include "themed/win/TSkinNexus.h"
#include "unicode/win/TUniApplication.h"
#include "unicode/win/TUniFileStream.h"
#include "unicode/win/UniControls.h"

namespace kelvo {

namespace {

[[noreturn]] void ExitWithProgramCode() { ::ExitProcess(static_cast<UINT>(ExitCode)); }

LONG WINAPI ExitOnCrash(EXCEPTION_POINTERS*) { ExitWithProgramCode(); }

// Inside a handler: the class library's report, or a plain box before the application exists.
void Report() {
    if (Application) {
        Application->HandleException(nullptr);
        return;
    }
    try {
        throw;
    } catch (const std::exception& e) {
        ::MessageBoxA(nullptr, e.what(), "Vantorel", MB_OK | MB_ICONERROR);
    } catch (...) {
        ::MessageBoxA(nullptr, "Unknown exception", "Vantorel", MB_OK | MB_ICONERROR);
    }
}

}  // namespace

void ProtectExitCode() {
    std::set_terminate(&ExitWithProgramCode);
    ::SetUnhandledExceptionFilter(&ExitOnCrash);
}

void StartKelvoUnits() {
    classlib::RegisterClassLibUnits();
    uni::RegisterUniControlsUnit();
    uni::RegisterUniApplicationUnit();
    RegisterSkinGraphicsUnit();
    RegisterSkinNexusUnit();
    uni::InstallWideFileStreams();
    RegisterKelvoApplicationUnit();
    RegisterKelvoLocalizerUnit();
    RegisterKelvoPrinterUnit();
    classlib::Startup();
    StartupMark("units after the localizer");
}

void BuildKelvoProgram(TCreateUserInterface createUserInterface) {
    KelvoApplication->Initialize();
    StartupMark("application initialised");
    createUserInterface();
}

int RunKelvoProgram(TCreateUserInterface createUserInterface) {
    StartupMark("process start until the entry");
    try {
        StartKelvoUnits();
    } catch (...) {
        Report();
        return 1;
    }
    try {
        BuildKelvoProgram(createUserInterface);
    } catch (...) {
        Report();
        // A program that could not build its windows has failed, unless it already said otherwise.
        if (ExitCode == 0) ExitCode = 1;
    }
    try {
        // Without a main form the loop returns at once; the state walks still run.
        KelvoApplication->Run();
    } catch (...) {
        Report();
    }
    ProtectExitCode();
    try {
        classlib::Shutdown();
    } catch (...) {
        // The result is decided; the units have ended as far as they could.
    }
    return ExitCode;
}

}  // namespace kelvo
