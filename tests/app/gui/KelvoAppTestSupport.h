// The class library's application and the program's application object for window tests, made once per
// test program; errors that reach the application are recorded instead of shown.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win/TKelvoApplication.h"
#include "classlib/core/UnitRegistry.h"
#include "classlib/win/ClassLibUnits.h"
#include "classlib/win/Win32.h"
#include "tests/classlib/gui/ApplicationTestSupport.h"
#include "unicode/win/TUniApplication.h"
#include "unicode/win/UniControls.h"

namespace kelvotest {

struct TErrorLog : TObject {
    std::vector<std::string> messages;
    void Record(TObject*, const Exception& e) { messages.push_back(e.Message()); }
};

inline TErrorLog& Errors() {
    static TErrorLog log;
    return log;
}

class KelvoAppTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!KelvoApplication) {
            classlib::RegisterClassLibUnits();
            uni::RegisterUniControlsUnit();
            uni::RegisterUniApplicationUnit();
            RegisterKelvoApplicationUnit();
            classlib::Startup();
        }
        Application->Initialize();
    }
    void SetUp() override {
        Errors().messages.clear();
        Application->OnException = MakeMethod<&TErrorLog::Record>(&Errors());
    }
    void TearDown() override { Application->OnException = nullptr; }

    // Handles messages through the application for ms milliseconds: only to prove that something does not
    // happen; a test waits for a state with apptest::PumpUntil or apptest::PumpQueued.
    static void Pump(DWORD ms = 50) { apptest::PumpFor(ms); }
};

}  // namespace kelvotest
