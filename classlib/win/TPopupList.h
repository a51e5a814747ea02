// The popup list: the one window that owns every popup menu while it is tracked, and the list of the popup
// menus that exist. Its window procedure carries the menus' commands, submenu openings, selection hints and
// owner drawing to the right menu. The program may replace the list with one of a derived class (to see the
// traffic first) through SetPopupList.
#pragma once
#include <vector>

#include "classlib/core/Messages.h"
#include "classlib/core/TObject.h"
#include "classlib/win/Win32.h"

class TPopupMenu;
class TMenuItem;

class TPopupList : public TObject {
    CLASSLIB_CLASS(TPopupList, TObject)
public:
    TPopupList();
    // Destroys the window; the menus still listed are left alone.
    ~TPopupList() override;

    // Registration (done by TPopupMenu itself). Adding twice keeps one entry; removing an absent menu does
    // nothing.
    void Add(TPopupMenu* menu);
    void Remove(TPopupMenu* menu);
    // Removes menu from every popup list that exists, installed or not (a freed menu leaves them all).
    static void RemoveEverywhere(TPopupMenu* menu);
    int Count() const { return static_cast<int>(menus_.size()); }
    // Raises EListError for a bad index.
    TPopupMenu* Items(int index) const;

    // The owner window of tracked popup menus (a utility window, made on first use).
    HWND Window();

    // The item that a WM_MENUSELECT's wParam and lParam (the menu) select, searched in every listed menu;
    // null when the menu closed or no listed menu has it.
    TMenuItem* FindSelectedItem(std::uintptr_t wParam, std::intptr_t lParam) const;

protected:
    // WM_COMMAND clicks the item; WM_INITMENUPOPUP prepares a submenu; WM_MENUSELECT sets the application's
    // hint to the long part of the selected item's hint (empty when none); WM_DRAWITEM/WM_MEASUREITEM draw
    // and measure owner-drawn items; the rest (WM_ENTERMENULOOP included) gets the default answer.
    virtual void WndProc(TMessage& message);
    // The default answer of the window.
    void DefaultWndProc(TMessage& message);

private:
    friend TPopupList* SetPopupList(TPopupList* replacement);
    void MainWndProc(TMessage& message);

    std::vector<TPopupMenu*> menus_;
    HWND window_ = nullptr;
};

// The current popup list, made by the unit start-up (RegisterMenusUnit, then classlib::Startup) and freed at
// shutdown.
extern TPopupList* PopupList;
// Registers the menus unit (once; later calls do nothing). A program calls it before classlib::Startup so
// that units started after it (order 300) find the popup list; a popup menu registers it too.
void RegisterMenusUnit();
// The popup list, made at once when the unit has not started yet (the unit start-up then keeps it).
TPopupList* EnsurePopupList();

// Installs replacement as the popup list: the menus registered so far move over to it. Returns the previous
// list, which the caller frees (or keeps to put it back later).
TPopupList* SetPopupList(TPopupList* replacement);
