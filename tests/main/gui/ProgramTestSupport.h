// The whole program started inside a test as its entry starts it: the start-up data module makes every module
// in its fixed order, the state file starts empty, and the main window is shown.
#pragma once
#include <windows.h>

#include <memory>

#include "app/main/TModule.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TMainForm.h"
#include "support/TestSupport.h"
#include "tests/app/gui/KelvoAppTestSupport.h"
#include "tests/support/MessagePump.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinToolbar.h"

namespace kelvotest {

class ProgramTest : public KelvoAppTest {
protected:
    void SetUp() override {
        KelvoAppTest::SetUp();
        if (!SkinNexus()) RegisterSkinNexusUnit();
        languages_ = ProgramLanguages();
        ::DeleteFileW(reinterpret_cast<LPCWSTR>(KelvoApplication->GetStateFileName().c_str()));
        kelvo::CreateStartupModule();
        form_ = dynamic_cast<TMainForm*>(Application->MainForm());
        ASSERT_TRUE(form_);
        module_ = Find<TModule>();
        editor_ = Find<TKelvoGraphicsEditor>();
        ASSERT_TRUE(module_ && editor_);
        KelvoApplication->LoadState();
        form_->Show();
        ASSERT_TRUE(testsupport::PumpUntil(
            [&] { return ::IsWindowVisible(form_->Handle()) && form_->Menu->HandleAllocated(); }));
    }
    void TearDown() override {
        if (form_) {
            EXPECT_TRUE(testsupport::PumpUntil([] { return KelvoApplication->PostponedCount() == 0; }));
            KelvoApplication->SaveState();
            FreeProgramWindows(form_);
        }
        Free(module_);
        languages_.reset();
        KelvoAppTest::TearDown();
    }

    // The application's first component of class T.
    template <class T>
    static T* Find() {
        for (int i = 0; i < Application->ComponentCount(); ++i)
            if (auto* c = dynamic_cast<T*>(Application->Components(i))) return c;
        return nullptr;
    }

    std::unique_ptr<TTestLanguages> languages_;
    TMainForm* form_ = nullptr;
    TModule* module_ = nullptr;
    TKelvoGraphicsEditor* editor_ = nullptr;
    testsupport::TempDir dir_;
};

}  // namespace kelvotest
