#include "classlib/win/TMainMenu.h"

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

TMainMenu::~TMainMenu() { SetWindowHandle(nullptr); }

void TMainMenu::SetWindowHandle(HWND wnd) {
    if (wnd == window_) return;
    // A window destroys the menu it holds: the old one must let go of it first.
    if (window_ && ::IsWindow(window_) && ::GetMenu(window_) == Items()->Handle()) ::SetMenu(window_, nullptr);
    window_ = wnd;
    if (window_) ::SetMenu(window_, Handle());
}

void TMainMenu::MenuChanged(TObject* sender, TMenuItem* source, bool rebuild) {
    TMenu::MenuChanged(sender, source, rebuild);
    if (window_ && ::IsWindow(window_)) ::DrawMenuBar(window_);
}
