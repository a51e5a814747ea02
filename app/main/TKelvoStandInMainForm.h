// The program's main window for as long as the real one (menus, toolbars, docks) is not part of the program:
// an empty form captioned "Vantorel" that keeps its position, size and the chosen language in the main
// window's node of the state file, in the layout the real main window uses, so a state file written now
// still serves it.
#pragma once
#include "app/win/TKelvoForm.h"

class TKelvoStandInMainForm : public TKelvoForm {
    CLASSLIB_COMPONENT(TKelvoStandInMainForm, TKelvoForm)

    explicit TKelvoStandInMainForm(TComponent* owner);
    // Makes the class known to the form building (it has no components of its own).
    static void RegisterBuilder();

    // Node 1, {7AF6D7FF-618B-41D9-882E-419D500DF28B}: item 2 the 44-byte window placement, item 1 the
    // current language id.
    void LoadState(TKelvoSDFReader& reader) override;
    void SaveState(TKelvoSDFWriter& writer) override;
};
