#include "app/win/TKelvoPrinter.h"

#include "classlib/core/UnitRegistry.h"

void TKelvoPrinter::SetUpHiMetric(TKelvoHiMetric& map, HDC dc) {
    map = TKelvoHiMetric{};
    map.WindowExtX = map.WindowExtY = 2540;
    map.ViewportExtX = ::GetDeviceCaps(dc, LOGPIXELSX);
    map.ViewportExtY = ::GetDeviceCaps(dc, LOGPIXELSY);
}

TKelvoPrinter* TKelvoPrinter::Install() {
    if (auto* installed = dynamic_cast<TKelvoPrinter*>(Printer())) return installed;
    TObjectPtr<TKelvoPrinter> printer = MakeObject<TKelvoPrinter>();
    TKelvoPrinter* made = printer.get();
    Free(SetPrinter(printer.release()));
    return made;
}

void RegisterKelvoPrinterUnit() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    // The class library's printer unit frees whichever printer is installed.
    classlib::RegisterUnit(
        "KelvoPrinter", [] { TKelvoPrinter::Install(); }, nullptr, KelvoPrinterUnitOrder);
}
