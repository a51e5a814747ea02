#include "classlib/win/ClassLibUnits.h"

#include <gtest/gtest.h>

#include "classlib/core/UnitRegistry.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TPopupList.h"
#include "classlib/win/TScreen.h"

TEST(ClassLibUnits, OneCallRegistersEveryUnitAndStartupMakesTheGlobals) {
    classlib::RegisterClassLibUnits();
    classlib::RegisterClassLibUnits();  // a second call registers nothing twice (it would raise)
    classlib::Startup();
    EXPECT_TRUE(classlib::IsUnitStarted("Forms"));
    EXPECT_TRUE(classlib::IsUnitStarted("Menus"));
    EXPECT_TRUE(classlib::IsUnitStarted("Printers"));
    EXPECT_NE(Application, nullptr);
    EXPECT_NE(Screen, nullptr);
    EXPECT_NE(PopupList, nullptr);
}
