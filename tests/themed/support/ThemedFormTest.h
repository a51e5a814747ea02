// What the window tests of themed controls share: the library with the theme nexus started once per suite,
// the classic look of the default theme (visual styles off, so pixels can be checked against system colours),
// and the shared message pump and screenshot of the form tests.
#pragma once
#include "classlib/win/SystemLookups.h"
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

}  // namespace themedtest
