// What the window tests of themed controls share: the library with the theme nexus started once per suite,
// the classic look of the default theme (visual styles off, so pixels can be checked against system colours),
// and the shared message pump and screenshot of the form tests.
#pragma once
#include <functional>
#include <string>

#include "classlib/win/SystemLookups.h"
#include "tests/support/ScreenPicture.h"
#include "tests/classlib/gui/FormTestHelpers.h"
#include "themed/win/TSkinNexus.h"

namespace themedtest {

class ThemedFormTest : public formtest::GuiTest {
protected:
    static void SetUpTestSuite() {
        classlib::UseSystemColors();
        RegisterSkinNexusUnit();
        formtest::StartLibrary();
        SkinThemeManager()->SetVisualStylesAllowed(false);
    }
    static void TearDownTestSuite() { classlib::Shutdown(); }
};

// The screen rectangle of a rectangle in a control's client coordinates.
inline RECT ScreenRect(TControl* control, const TRect& r) {
    const TPoint tl = control->ClientToScreen(r.TopLeft()), br = control->ClientToScreen(r.BottomRight());
    return RECT{tl.X, tl.Y, br.X, br.Y};
}

// The system passes a window's paint on to the screen a little later: saves the screen as the artifact name
// until shows holds for it (at most timeoutMs), and returns the last picture saved.
inline testsupport::SavedPicture ScreenWhen(const char* name,
                                            const std::function<bool(const testsupport::SavedPicture&)>& shows,
                                            DWORD timeoutMs = 3000) {
    const std::string path = testsupport::ArtifactPath(name);
    formtest::PumpUntil(
        [&] {
            testsupport::SaveScreen(path);
            return shows(testsupport::SavedPicture(path));
        },
        timeoutMs);
    return testsupport::SavedPicture(path);
}

}  // namespace themedtest
