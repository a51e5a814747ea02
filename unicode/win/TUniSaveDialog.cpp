#include "unicode/win/TUniSaveDialog.h"

TUniSaveDialog::TUniSaveDialog(TComponent* owner) : TUniOpenDialog(owner) {}

bool TUniSaveDialog::Execute(HWND parentWindow) { return RunWideFileDialog(&::GetSaveFileNameW, parentWindow); }
