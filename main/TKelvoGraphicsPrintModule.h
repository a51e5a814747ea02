// File > Print (Ctrl+P) and its toolbar button: the system's print dialog, then the working image on one page,
// as large as the printable area allows, centred. Offered while a document is open, never in plug-in mode.
#pragma once
#include "app/win/TKelvoModuleWithControls.h"
#include "classlib/win/Win32.h"

class TKelvoLTBitmap;
class TSkinItem;

class TKelvoGraphicsPrintModule : public TKelvoModuleWithControls {
    CLASSLIB_COMPONENT(TKelvoGraphicsPrintModule, TKelvoModuleWithControls)

    // Adds the item and the button to the editor's File menu and standard toolbar; installs the program's
    // printer.
    explicit TKelvoGraphicsPrintModule(TComponent* owner);

    void PrintCommand(TObject* sender);
    // One page with image on the printer dc, titled; false (nothing left half-printed) when the printer fails.
    static bool PrintImage(HDC dc, TKelvoLTBitmap& image, const WideString& title);

    void Localize() override;
    void UpdateState() override;

    TSkinItem* PrintMenuItem = nullptr;
    TSkinItem* PrintButton = nullptr;
};
