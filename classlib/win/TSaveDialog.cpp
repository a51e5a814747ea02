#include "classlib/win/TSaveDialog.h"

TSaveDialog::TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

bool TSaveDialog::Execute(HWND parentWindow) {
    return DoExecute([](OPENFILENAMEA* record) { return GetSaveFileNameA(record); }, parentWindow);
}
