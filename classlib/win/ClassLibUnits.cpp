#include "classlib/win/ClassLibUnits.h"

#include "classlib/win/TApplication.h"
#include "classlib/win/TPopupList.h"
#include "classlib/win/TPrinter.h"

void classlib::RegisterClassLibUnits() {
    RegisterPrinterUnit();
    RegisterFormsUnit();
    RegisterMenusUnit();
}
