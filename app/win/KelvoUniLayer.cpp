#include "app/win/KelvoUniLayer.h"

#include "classlib/core/CodePages.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TApplication.h"

namespace {
// The class library's application keeps an 8-bit title; the wide one is kept beside it.
WideString wideTitle;
bool wideTitleSet = false;
}  // namespace

namespace kelvo {

WideString ApplicationTitle() {
    if (wideTitleSet) return wideTitle;
    return Application ? AnsiToWide(Application->Title()) : WideString();
}

void SetApplicationTitle(const WideString& title) {
    wideTitle = title;
    wideTitleSet = true;
    if (Application) Application->SetTitle(WideToAnsi(title));
}

int ApplicationMessageBox(const WideString& text, const WideString& caption, unsigned flags) {
    if (!Application) return ::MessageBoxW(nullptr, reinterpret_cast<LPCWSTR>(text.c_str()),
                                           reinterpret_cast<LPCWSTR>(caption.c_str()), flags);
    HWND owner = Application->ActiveFormHandle();
    if (!owner) owner = Application->Handle();
    if (Application->UseRightToLeftReading()) flags |= MB_RTLREADING;
    HWND focus = ::GetFocus();
    void* windows = Application->DisableTaskWindows(nullptr);
    TScopeExit restore([&] {
        Application->EnableTaskWindows(windows);
        if (focus && ::IsWindow(focus)) ::SetFocus(focus);
    });
    return ::MessageBoxW(owner, reinterpret_cast<LPCWSTR>(text.c_str()), reinterpret_cast<LPCWSTR>(caption.c_str()),
                         flags);
}

}  // namespace kelvo
