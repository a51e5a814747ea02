#include "classlib/win/ClassLibUnits.h"

#include <gtest/gtest.h>

#include "classlib/core/TColor.h"
#include "classlib/core/UnitRegistry.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TPopupList.h"
#include "classlib/win/TScreen.h"
#include "classlib/win/Win32.h"

TEST(ClassLibUnits, OneCallRegistersEveryUnitAndStartupMakesTheGlobals) {
    classlib::RegisterClassLibUnits();
    classlib::RegisterClassLibUnits();  // a second call registers nothing twice (it would raise)
    classlib::Startup();
    EXPECT_TRUE(classlib::IsUnitStarted("System"));
    EXPECT_TRUE(classlib::IsUnitStarted("Forms"));
    EXPECT_TRUE(classlib::IsUnitStarted("Menus"));
    EXPECT_TRUE(classlib::IsUnitStarted("Printers"));
    EXPECT_NE(Application, nullptr);
    EXPECT_NE(Screen, nullptr);
    EXPECT_NE(PopupList, nullptr);
    // The system's colours are behind ColorToRGB now: a changed system colour shows at once.
    const INT element = COLOR_INFOBK;
    const COLORREF old = ::GetSysColor(element);
    const COLORREF probe = old == RGB(0x12, 0x34, 0x56) ? RGB(0x65, 0x43, 0x21) : RGB(0x12, 0x34, 0x56);
    ASSERT_TRUE(::SetSysColors(1, &element, &probe));
    EXPECT_EQ(ColorToRGB(clInfoBk), static_cast<TColor>(probe));
    ::SetSysColors(1, &element, &old);
}
