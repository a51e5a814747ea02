// The system's save-file dialog: the open dialog's properties, run with the save function.
#pragma once
#include "classlib/win/TOpenDialog.h"

class TSaveDialog : public TOpenDialog {
    CLASSLIB_COMPONENT(TSaveDialog, TOpenDialog)

    explicit TSaveDialog(TComponent* owner);

    using TOpenDialog::Execute;
    bool Execute(HWND parentWindow) override;
};
