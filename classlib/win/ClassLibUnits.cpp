#include "classlib/win/ClassLibUnits.h"

#include "classlib/core/UnitRegistry.h"
#include "classlib/win/SystemLookups.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TPopupList.h"
#include "classlib/win/TPrinter.h"
#include "classlib/win/Win32CodePages.h"

void classlib::RegisterClassLibUnits() {
    static bool registered = false;
    if (!registered) {
        registered = true;
        RegisterUnit(
            "System",
            [] {
                InstallWin32CodePages();
                LoadLocaleSeparators();
                UseSystemKeyNames();
                UseSystemColors();
            },
            nullptr, SystemUnitOrder);
    }
    RegisterPrinterUnit();
    RegisterFormsUnit();
    RegisterMenusUnit();
}
