// The menu bar of a form. The form attaches it to its window with SetWindowHandle once the window exists
// and detaches it (SetWindowHandle(nullptr)) before destroying the window, which would otherwise destroy the
// native menu with it. While attached, every change of the menu is redrawn on the bar.
#pragma once
#include "classlib/win/TMenu.h"

class TMainMenu : public TMenu {
    CLASSLIB_COMPONENT(TMainMenu, TMenu)

    explicit TMainMenu(TComponent* owner);
    // Detaches the native menu from its window first.
    ~TMainMenu() override;

    // The window whose menu bar this is (null: none). Setting it takes the menu off the previous window and
    // puts it on the new one (SetMenu).
    HWND WindowHandle() const { return window_; }
    void SetWindowHandle(HWND wnd);

protected:
    bool IsMenuBar() const override { return true; }
    void MenuChanged(TObject* sender, TMenuItem* source, bool rebuild) override;

private:
    HWND window_ = nullptr;
};
