// The Unicode save dialog: the Unicode open dialog run with the wide save function.
#pragma once
#include "unicode/win/TUniOpenDialog.h"

class TUniSaveDialog : public TUniOpenDialog {
    CLASSLIB_COMPONENT(TUniSaveDialog, TUniOpenDialog)
    explicit TUniSaveDialog(TComponent* owner);

    using TUniOpenDialog::Execute;
    bool Execute(HWND parentWindow) override;
};
