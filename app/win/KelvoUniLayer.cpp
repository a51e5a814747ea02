#include "app/win/KelvoUniLayer.h"

#include "unicode/win/TUniApplication.h"
#include "classlib/win/WideChars.h"

namespace kelvo {

WideString ApplicationTitle() { return UniApplication ? UniApplication->GetTitle() : WideString(); }

void SetApplicationTitle(const WideString& title) {
    if (UniApplication) UniApplication->SetTitle(title);
}

int ApplicationMessageBox(const WideString& text, const WideString& caption, unsigned flags) {
    if (!UniApplication) return ::MessageBoxW(nullptr, WideCStr(text), WideCStr(caption), flags);
    return UniApplication->MessageBox(text, caption, flags);
}

}  // namespace kelvo
