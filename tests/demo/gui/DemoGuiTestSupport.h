// What the demonstration window tests share: the library and the Unicode controls started, a white form to show
// things over, and the screen's colour at a point.
#pragma once
#include <gtest/gtest.h>

#include "classlib/win/TCustomForm.h"
#include "classlib/win/WindowDC.h"
#include "demo/core/TKelvoDemoPlayback.h"
#include "tests/classlib/gui/FormTestHelpers.h"
#include "unicode/win/UniControls.h"

namespace demotest {

class DemoGuiTest : public formtest::GuiTest {
protected:
    static void SetUpTestSuite() {
        uni::RegisterUniControlsUnit();
        formtest::GuiTest::SetUpTestSuite();
    }

    // A white form at (40, 40), shown and active.
    TForm* ShownForm(int width, int height) {
        TForm* form = NewForm(width, height);
        form->SetColor(clWhite);
        form->Show();
        EXPECT_TRUE(formtest::PumpUntil([&] { return ::GetForegroundWindow() == form->Handle(); }));
        return form;
    }
};

inline COLORREF ScreenPixel(TPoint p) { return ::GetPixel(TWindowDC().Get(), p.X, p.Y); }

// Starts playing the lines from the first.
inline void PlayLines(TKelvoDemoPlayback& playback, const TKelvoDemoLines& lines) {
    TKelvoDemoScript script;
    script.Reset();
    script.GetLines() = lines;
    playback.SetScript(script);
    ASSERT_TRUE(playback.Play(0));
}

}  // namespace demotest
