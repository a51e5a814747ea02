// A menu: a tree of items under one root item, shown natively either as a window's menu bar (TMainMenu) or
// as a popup menu (TPopupMenu). The menu finds its items by command id, submenu handle or shortcut, carries
// out commands and shortcuts, and draws its items itself when OwnerDraw is set or it has images.
#pragma once
#include <cstdint>

#include "classlib/core/Messages.h"
#include "classlib/core/TComponent.h"
#include "classlib/win/TMenuItem.h"
#include "classlib/win/Win32.h"

class TCustomImageList;
class TChangeLink;

enum TFindItemKind { fkCommand, fkHandle, fkShortCut };

class TMenu : public TComponent {
    CLASSLIB_COMPONENT(TMenu, TComponent)

    explicit TMenu(TComponent* owner);
    // Frees the root item and with it every item in the menu.
    ~TMenu() override;

    // The root item; its children are the menu's top-level entries.
    TMenuItem* Items() const { return items_.get(); }
    TCustomImageList* Images() const { return images_; }
    // Setting images (or clearing them) switches owner drawing and rebuilds the native menu.
    void SetImages(TCustomImageList* value);
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool value);
    TMenuItemAutoFlag AutoHotkeys() const { return maManual; }

    // The native menu (the root item's handle).
    virtual HMENU Handle();
    bool HandleAllocated() const { return items_->HandleAllocated(); }

    // The item with the command id, the submenu handle (the HMENU's value) or the shortcut; depth-first, null
    // when none has it.
    TMenuItem* FindItem(UINT value, TFindItemKind kind);
    TMenuItem* FindItemByHandle(HMENU menu);
    // The item a WM_MENUSELECT names (wParam: command id or, with MF_POPUP in the flags, the position of a
    // submenu entry in the menu lParam); null when the menu closed (flags 0xFFFF, no menu) or the item is
    // none of this menu's.
    TMenuItem* SelectedItem(std::uintptr_t wParam, std::intptr_t lParam);
    // Clicks the item with the command id; false when no item has it.
    bool DispatchCommand(std::uint16_t command);
    // A submenu is about to open: its items update from their actions and the submenu item fires OnClick
    // (where its children can be filled in). False when no item of this menu has the handle.
    bool DispatchPopup(HMENU menu);
    // For a key-down message (WM_KEYDOWN, WM_SYSKEYDOWN or their reflected forms: WParam = virtual key,
    // LParam = key data; Ctrl and Shift from the keyboard state, Alt from the key data): clicks the first
    // item (depth-first) with that shortcut that is enabled, as are all its parent items, after letting it
    // update from its action. True when one was clicked.
    virtual bool IsShortCut(TMessage& message);
    // Owner drawing by message: the item with the entry's command id draws itself (or measures itself) on
    // the supplied DC. False when the entry is none of this menu's.
    bool DispatchDrawItem(const DRAWITEMSTRUCT& info);
    bool DispatchMeasureItem(MEASUREITEMSTRUCT& info);

    void GetChildren(TGetChildProc proc, TComponent* root) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

protected:
    friend class TMenuItem;
    // A menu bar (true) or a popup menu (false): decides the kind of native root menu.
    virtual bool IsMenuBar() const { return false; }
    // Called after an item changed (source; null when the whole menu changed).
    virtual void MenuChanged(TObject* sender, TMenuItem* source, bool rebuild);
    // Rewrites every native entry of the menu (owner drawing switched).
    void RebuildAll();

private:
    void ImageListChange(TObject* sender);

    TObjectPtr<TMenuItem> items_;
    TCustomImageList* images_ = nullptr;
    TObjectPtr<TChangeLink> imageChangeLink_;
    bool ownerDraw_ = false;
};

#include "classlib/win/TMainMenu.h"
#include "classlib/win/TPopupMenu.h"
