// One entry of a menu: its caption, state, shortcut and click handler, and its own child entries. An item
// with children is a submenu; its Handle is the native popup menu that shows them. Items keep their native
// entries up to date as their properties change; only visible items have entries.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/core/ControlTypes.h"
#include "classlib/core/Geometry.h"
#include "classlib/core/TActionLink.h"
#include "classlib/core/TComponent.h"
#include "classlib/core/TShortCut.h"
#include "classlib/win/Win32.h"

class TCanvas;
class TMenu;
class TMenuItem;
class TMenuActionLink;

using TMenuDrawItemEvent = Method<void(TObject* sender, TCanvas* canvas, TRect rect, bool selected)>;
using TAdvancedMenuDrawItemEvent = Method<void(TObject* sender, TCanvas* canvas, TRect rect, TOwnerDrawState state)>;
using TMenuMeasureItemEvent = Method<void(TObject* sender, TCanvas* canvas, int& width, int& height)>;

// The caption without its "&" hot-key marks ("&&" stands for a literal "&").
AnsiString StripHotkey(const AnsiString& caption);

// How "&" hot keys are given to captions. Captions keep exactly the hot keys their owner wrote.
enum TMenuItemAutoFlag { maAutomatic, maManual, maParent };

class TMenuItem : public TComponent {
    CLASSLIB_COMPONENT(TMenuItem, TComponent)

    explicit TMenuItem(TComponent* owner);
    // Frees the child items, leaves the parent item and destroys the native submenu.
    ~TMenuItem() override;

    // Appearance and state. Caption "-" makes a separator.
    const AnsiString& Caption() const { return caption_; }
    void SetCaption(const AnsiString& value);
    bool Checked() const { return checked_; }
    // Checking a radio item (RadioItem) unchecks the other radio items of its group among its siblings.
    void SetChecked(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool value);
    int GroupIndex() const { return groupIndex_; }
    // 0..255; raises ERangeError outside.
    void SetGroupIndex(int value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value);
    const AnsiString& Hint() const { return hint_; }
    void SetHint(const AnsiString& value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    TMenuItemAutoFlag AutoHotkeys() const { return maManual; }
    bool IsLine() const { return caption_ == "-"; }

    // Action: the item follows the action's caption, state, hint, image and shortcut, and a click executes it.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* value);
    TActionLink* ActionLink() const { return actionLink_.get(); }

    // Child items. Items(i) raises EMenuError "Menu index out of range" for a bad index.
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const;
    // Appends item; raises EMenuError "Menu inserted twice" when it already has a parent and for null.
    void Add(TMenuItem* item);
    // Inserts item before index (0..Count).
    void Insert(int index, TMenuItem* item);
    // Frees nothing: the child leaves this item and keeps its owner.
    void Delete(int index);
    void Remove(TMenuItem* item);
    // Frees every child item.
    void Clear();
    int IndexOf(const TMenuItem* item) const;
    // The child whose caption, "&" hot-key marks left out, equals caption case-insensitively; null if none.
    TMenuItem* Find(const AnsiString& caption) const;
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    // Moves the item among its siblings (clamped).
    void SetMenuIndex(int value);
    // The menu (main or popup) the item belongs to, or null.
    TMenu* GetParentMenu() const;

    // The item's command id: unique among the living items of the process, never 0.
    std::uint16_t Command() const { return command_; }
    // The native popup menu that shows the child items (made and filled on first use).
    HMENU Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }

    // Runs OnClick, or the action when OnClick is not the item's own handler; nothing when disabled.
    virtual void Click();
    // Owner drawing: the item's look in rect with the menu's images, caption and shortcut text.
    virtual void AdvancedDrawItem(TCanvas* canvas, TRect rect, TOwnerDrawState state, bool topLevel);
    // Owner drawing: the size the item needs.
    virtual void MeasureItem(TCanvas* canvas, int& width, int& height);
    // Lets the action update the item's state. The root item of a menu passes it on to the top-level items
    // (those a menu bar always shows); the items of a submenu update when it opens.
    virtual void InitiateAction();
    void Loaded() override;

    // Hooks of the property stream and the form builders: the parent of an item is an item or a menu.
    void GetChildren(TGetChildProc proc, TComponent* root) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override;
    void SetParentComponent(TComponent* value) override;
    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

protected:
    // Called after a change: rebuild says the child list (or visibility) changed, not only the look. The
    // native entry of this item has been written already when this runs.
    virtual void MenuChanged(bool rebuild);
    // Copies the action's values; with checkDefaults only into properties still at their defaults.
    virtual void ActionChange(TObject* sender, bool checkDefaults);
    virtual TActionLinkClass GetActionLinkClass();
    // The text of the native entry: the caption, then a tab and the shortcut text (not on a menu bar).
    AnsiString NativeText() const;
    // Fills info with the entry of this item (type, state, id, submenu, text).
    void FillNativeInfo(MENUITEMINFOA& info, AnsiString& text);

private:
    friend class TMenu;
    friend class TMenuActionLink;
    // Stores a value that shows in the native entry; false when it was the value already.
    template <class T>
    bool SetField(T& field, const T& value);
    void InsertNative(int index, TMenuItem* item);
    void ItemsChanged();
    void Changed(bool rebuild);
    void UpdateNativeEntry();
    void RebuildHandle();
    void RemoveNativeEntries();
    int NativePosition() const;
    bool IsMenuBarItem() const;
    bool OwnerDrawn() const;

    AnsiString caption_;
    AnsiString hint_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool default_ = false;
    bool radioItem_ = false;
    int groupIndex_ = 0;
    TShortCut shortCut_ = 0;
    int imageIndex_ = -1;
    std::uint16_t command_ = 0;
    HMENU handle_ = nullptr;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on the root item of a menu
    std::vector<TMenuItem*> items_;
    TObjectPtr<TActionLink> actionLink_;
    bool destroying_ = false;
};
