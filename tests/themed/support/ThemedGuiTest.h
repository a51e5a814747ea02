// The base of the themed window tests: the system's colours, the theme nexus running and the classic look pinned,
// so that the expected pixels do not depend on the prefix's visual style.
#pragma once
#include "classlib/win/SystemLookups.h"
#include "tests/classlib/gui/FormTestHelpers.h"
#include "themed/win/SkinThemes.h"
#include "themed/win/TSkinNexus.h"

namespace formtest {

class ThemedGuiTest : public GuiTest {
protected:
    static void SetUpTestSuite() {
        GuiTest::SetUpTestSuite();
        classlib::UseSystemColors();
        RegisterSkinNexusUnit();  // starts at once: the library runs
        SkinThemeManager()->SetVisualStylesAllowed(false);
    }
};

}  // namespace formtest
