// The program's printer: the class library's, with the high-metric mapping (hundredths of a millimetre to
// printer pixels) that places images on the page.
#pragma once
#include "app/core/TKelvoMapMode.h"
#include "classlib/win/TPrinter.h"

class TKelvoPrinter : public TPrinter {
    CLASSLIB_CLASS(TKelvoPrinter, TPrinter)

public:
    TKelvoPrinter() = default;
    TKelvoHiMetric& HiMetric() { return hiMetric_; }

    // The mapping for a printer device context: 2540 high-metric units to its pixels per inch.
    static void SetUpHiMetric(TKelvoHiMetric& map, HDC dc);
    // Installs a program printer in place of the class library's one (freed), once.
    static TKelvoPrinter* Install();

private:
    TKelvoHiMetric hiMetric_;
};

inline constexpr int KelvoPrinterUnitOrder = 220;
// The unit that installs the program's printer, after the localizer. Making the printer asks the spooler nothing:
// the printers are listed only when printing needs them.
void RegisterKelvoPrinterUnit();
