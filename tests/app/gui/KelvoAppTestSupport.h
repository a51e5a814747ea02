// The class library's application and the program's application object for window tests, made once per
// test program; errors that reach the application are recorded instead of shown.
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/core/TKelvoLocalizer.h"
#include "app/win/KelvoFiles.h"
#include "app/win/KelvoLanguageFolder.h"
#include "app/win/TKelvoApplication.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/UnitRegistry.h"
#include "classlib/win/ClassLibUnits.h"
#include "classlib/win/Win32.h"
#include "support/TestSupport.h"
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

    // Handles the queued messages (and what they produce) for a while.
    static void Pump(DWORD ms = 50) {
        const DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < ms) {
            Application->ProcessMessages();
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }
};

// The program's localizer, for the object's lifetime, over the given language files (name and content) in a
// folder of the test's own.
class TTestLanguages {
public:
    explicit TTestLanguages(const std::map<WideString, AnsiString>& files) {
        const WideString folder = AnsiToWide(dir_.Path()) + u"\\";
        for (const auto& [name, bytes] : files)
            EXPECT_TRUE(kelvo::ReplaceFileContent(folder + name, bytes.data(), bytes.size()));
        source_ = std::make_unique<TKelvoLanguageFolder>(folder);
        localizer_ = MakeObject<TKelvoLocalizer>(*source_);
        previous_ = std::exchange(KelvoLocalizer, localizer_.get());
    }
    ~TTestLanguages() { KelvoLocalizer = previous_; }

private:
    testsupport::TempDir dir_;
    std::unique_ptr<TKelvoLanguageFolder> source_;
    TObjectPtr<TKelvoLocalizer> localizer_;
    TKelvoLocalizer* previous_ = nullptr;
};

}  // namespace kelvotest
