#include "app/win/KelvoUniLayer.h"

#include "unicode/win/TUniApplication.h"

namespace kelvo {

WideString ApplicationTitle() { return UniApplication ? UniApplication->GetTitle() : WideString(); }

void SetApplicationTitle(const WideString& title) {
    if (UniApplication) UniApplication->SetTitle(title);
}

int ApplicationMessageBox(const WideString& text, const WideString& caption, unsigned flags) {
    if (!UniApplication)
        return ::MessageBoxW(nullptr, reinterpret_cast<LPCWSTR>(text.c_str()),
                             reinterpret_cast<LPCWSTR>(caption.c_str()), flags);
    return UniApplication->MessageBox(text, caption, flags);
}

}  // namespace kelvo
