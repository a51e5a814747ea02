// The program's units, started once per test program as the program's entry starts them, for window tests;
// errors that reach the application are recorded instead of shown.
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
#include "app/win/KelvoProgram.h"
#include "app/win/TKelvoApplication.h"
#include "app/win/TKelvoAbout.h"
#include "app/win/TKelvoHelp.h"
#include "app/win/TKelvoModule.h"
#include "app/win/TKelvoToolFrame.h"
#include "app/win/TKelvoToolPanelModule.h"
#include "app/win/TMainForm.h"
#include "classlib/core/CodePages.h"
#include "classlib/win/TCustomForm.h"
#include "classlib/win/Win32.h"
#include "tests/support/TestSupport.h"
#include "themed/win/TSkinNexus.h"
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
        kelvo::StartKelvoUnits();
        Application->Initialize();
    }
    void SetUp() override {
        Errors().messages.clear();
        Application->OnException = MakeMethod<&TErrorLog::Record>(&Errors());
    }
    void TearDown() override { Application->OnException = nullptr; }
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

// The language files beside the program, read into a folder of the test's own (the start-up harness puts files
// of its own beside them while it runs), as the program's localizer for the object's lifetime.
inline std::unique_ptr<TTestLanguages> ProgramLanguages() {
    std::map<WideString, AnsiString> files;
    for (const char16_t* name : {u"English.ini", u"Deutsch.ini"})
        EXPECT_TRUE(kelvo::ReadFileBytes(TKelvoLanguageFolder::ProgramLanguageFolder() + name, files[name], 1 << 20));
    return std::make_unique<TTestLanguages>(files);
}

// Frees what the program's start-up made: every module Application owns, last first, then the main window.
inline void FreeProgramWindows(TCustomForm* mainForm) {
    for (int i = Application->ComponentCount() - 1; i >= 0; --i)
        if (auto* module = dynamic_cast<TKelvoModule*>(Application->Components(i))) Free(module);
    Free(mainForm);
}

// The program's main window with the themed menus, not yet shown, for the test to own.
inline TMainForm* NewMainForm() {
    TMainForm::RegisterBuilder();
    return Create<TMainForm>(nullptr);
}

// The main window with the modules that fill it without the editor (help, about, the tool panel), all
// belonging to Application, in the order the program makes them.
inline void CreateMainWindowModules() {
    TMainForm::RegisterBuilder();
    TKelvoToolFrame::RegisterBuilder();
    TMainForm* mainForm = nullptr;
    KelvoApplication->CreateForm(TMainForm::StaticClass(), mainForm);
    KelvoApplication->CreateModuleNoRef(TKelvoHelp::StaticClass());
    static_cast<TKelvoAbout*>(KelvoApplication->CreateModuleNoRef(TKelvoAbout::StaticClass()))
        ->SetContent(KelvoAboutContent, KelvoAboutContentCount, "About");
    TKelvoToolPanelModule* toolPanel = nullptr;
    KelvoApplication->CreateModule(TKelvoToolPanelModule::StaticClass(), toolPanel);
}

}  // namespace kelvotest
