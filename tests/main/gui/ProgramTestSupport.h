// The whole program started inside a test as its entry starts it: the start-up data module makes every module
// in its fixed order, the state file starts empty, and the main window is shown (without the demonstrations
// window of a first start, which its own tests ask for).
#pragma once
#include <windows.h>

#include <memory>

#include "main/TModule.h"
#include "app/win/KelvoGraphicsIO.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TMainForm.h"
#include "classlib/core/CodePages.h"
#include "classlib/win/WideChars.h"
#include "demo/win/TKelvoDemonstrationModule.h"
#include "tests/support/TestSupport.h"
#include "tests/app/gui/KelvoAppTestSupport.h"
#include "tests/app/win/PixelTestSupport.h"
#include "tests/support/MessagePump.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinToolbar.h"

namespace kelvotest {

class ProgramTest : public KelvoAppTest {
protected:
    void SetUp() override {
        MakeProgram();
        if (!HasFatalFailure()) Start();
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

    // The start-up module and every module it makes, over the program's language files and no state file.
    void MakeProgram() {
        KelvoAppTest::SetUp();
        languages_ = ProgramLanguages();
        ::DeleteFileW(WideCStr(KelvoApplication->GetStateFileName()));
        kelvo::BuildKelvoProgram(&kelvo::CreateStartupModule);
        form_ = dynamic_cast<TMainForm*>(Application->MainForm());
        ASSERT_TRUE(form_);
        module_ = Find<TModule>();
        editor_ = Find<TKelvoGraphicsEditor>();
        ASSERT_TRUE(module_ && editor_);
    }
    // The state walk and the main window shown; the demonstrations window of a first start only when asked for.
    void Start(bool demonstrationsWindow = false) {
        if (!demonstrationsWindow) Find<TKelvoDemonstrationModule>()->ShowAtStartUp = false;
        KelvoApplication->LoadState();
        form_->Show();
        ASSERT_TRUE(testsupport::PumpUntil(
            [&] { return ::IsWindowVisible(form_->Handle()) && form_->Menu->HandleAllocated(); }));
    }

    // A 64 x 48 gradient (red 40 + 4x, green 60 + 5y, blue 180 - 2x - 2y) written as a PNG file of the test's
    // folder; its path, empty when it could not be written.
    std::u16string WriteGradient(const char* name) {
        TKelvoPixelBuffer pixels(KelvoFormatBGR24, MakeRect(0, 0, 64, 48));
        pixeltest::FillGradient(pixels);
        TKelvoProperties none;
        const std::u16string path = AnsiToWide(dir_.File(name));
        return WriteGraphicsFile(path, KelvoFormatPNG, pixels, TKelvoRect{}, none, TKelvoResolution{}, 80)
                   ? path
                   : std::u16string();
    }
    // Opens the gradient in the editor.
    bool OpenGradient() {
        const std::u16string path = WriteGradient("photo.png");
        return !path.empty() && editor_->Documents().Open(path, nullptr, true);
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
