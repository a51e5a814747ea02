// The item tree: every menu entry, toolbar button, separator and embedded control is a TTBCustomItem, a
// component with an ordered list of child items. Items never draw themselves; every change is announced
// to the listeners registered with the item (the views that show its children), which create, measure
// or repaint their viewers.
//
// Change notifications (TTBItemChangedAction, toolbar/core/NotifyList.h) go to the listeners of the
// item whose children they are about:
//   Insert         3, 0 (index, item), 4         Delete   1 (index, item), sent while the child is in place
//   Move           3, 1, 3, 0, 4, 4              LinkSubitems  2 (index 0, item null)
//   a child's Change(NeedResize)   6 or 5 (its index, the child)      a child's SetName  8 (its index, the child)
//   SubMenuImages and its list's changes  9 (index 0, item null)
// An item with the embedded-group style passes every notification it receives on to its parent, and
// every item passes it on to the items that show its children through LinkSubitems; the receiver hears it
// as relayed, with the item it came from as sender. At most 10 relays follow one notification.
//
// Listeners may unregister themselves (or others) and may free the item while a notification is being
// delivered: the delivery then stops.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/core/TActionLink.h"
#include "classlib/core/TComponent.h"
#include "classlib/core/TShortCut.h"
#include "classlib/core/Types.h"
#include "toolbar/core/DeferredClicks.h"
#include "toolbar/core/ImageListWatch.h"
#include "toolbar/core/NotifyList.h"
#include "toolbar/core/TBItemOptions.h"

class TCustomImageList;
class TTBCustomItem;
class TTBCustomItemActionLink;
class TTBItemViewer;
class TTBPopupWindow;
class TTBView;

using TTBCustomItemActionLinkClass = TClassOf<TTBCustomItemActionLink>;
// OnPopup: the item's submenu is about to open (fromLink: through an item linking to this one).
using TTBPopupEvent = Method<void(TTBCustomItem* sender, bool fromLink)>;
// OnSelect: a viewer of the item became (selecting) or stopped being the selected one.
using TTBSelectEvent = Method<void(TTBCustomItem* sender, TTBItemViewer* viewer, bool selecting)>;

// Offered by components whose items stream as their children (a toolbar): the root of their tree.
// {A5C0D7CC-3EC4-4090-A0F8-3D03271877EA}
class ITBItems {
public:
    virtual TTBCustomItem* GetItems() = 0;

protected:
    ~ITBItems() = default;
};

class TTBCustomItem : public TComponent, public TTBDeferredClickTarget {
    CLASSLIB_COMPONENT(TTBCustomItem, TComponent)

    explicit TTBCustomItem(TComponent* owner);
    ~TTBCustomItem() override;
    // Frees the children (last first) and leaves the parent while the whole item still exists.
    void BeforeDestruction() override;

    // Tree. Items raises ETBItemError "Toolbar item index out of range" outside 0..Count-1.
    TTBCustomItem* Items(int index) const;
    int Count() const { return static_cast<int>(items_.size()); }
    int IndexOf(const TTBCustomItem* item) const;
    TTBCustomItem* Parent() const { return parent_; }
    void Add(TTBCustomItem* item) { Insert(Count(), item); }
    // index 0..Count. An item that already has a parent raises "Toolbar item already inserted"; this item
    // or one of its ancestors raises as well (the tree would become a cycle).
    void Insert(int index, TTBCustomItem* item);
    void Delete(int index);
    void Remove(TTBCustomItem* item);
    // Nothing when equal; newIndex must be 0..Count-1.
    void Move(int curIndex, int newIndex);
    // Frees every child, last first.
    void Clear();

    // Listeners (the pair identifies the registration; registering it again counts).
    void RegisterNotification(TTBItemChangedProc proc, void* data);
    void UnregisterNotification(TTBItemChangedProc proc, void* data);
    // Delivers a notification about this item's children (see the table above).
    void Notify(TTBItemChangedAction action, int index, TTBCustomItem* item);

    // Properties. Each setter does nothing when the value does not change.
    const WideString& Caption() const { return caption_; }
    void SetCaption(const WideString& value);
    const WideString& Hint() const { return hint_; }
    void SetHint(const WideString& value);
    bool Checked() const { return checked_; }
    // Checking unchecks the other children of the parent with the same non-zero GroupIndex.
    void SetChecked(bool value);
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool value) { autoCheck_ = value; }
    TTBItemDisplayMode DisplayMode() const { return displayMode_; }
    void SetDisplayMode(TTBItemDisplayMode value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool value);
    std::int32_t GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(std::int32_t value);
    std::int32_t HelpContext() const { return helpContext_; }
    void SetHelpContext(std::int32_t value) { helpContext_ = value; }
    std::int32_t ImageIndex() const { return imageIndex_; }
    // Resizes only when the item gains or loses an image (-1 on one side).
    void SetImageIndex(std::int32_t value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value) { shortCut_ = value; }
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    TCustomImageList* SubMenuImages() const { return subMenuImages_; }
    void SetSubMenuImages(TCustomImageList* value);
    TTBItemOptions Options() const { return options_; }
    void SetOptions(TTBItemOptions value);
    TTBItemOptions MaskOptions() const { return maskOptions_; }
    void SetMaskOptions(TTBItemOptions value);
    bool InheritOptions() const { return inheritOptions_; }
    void SetInheritOptions(bool value);
    TTBItemOptions EffectiveOptions() const { return effectiveOptions_; }
    // An item linked to itself counts as none.
    TTBCustomItem* LinkSubitems() const { return linkSubitems_; }
    void SetLinkSubitems(TTBCustomItem* value);
    // The items whose LinkSubitems is this one; LinkParents raises the index error outside 0..count-1.
    int LinkParentCount() const { return linkParents_ ? static_cast<int>(linkParents_->size()) : 0; }
    TTBCustomItem* LinkParents(int index) const;
    TTBItemStyle ItemStyle() const { return itemStyle_; }

    // Actions.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* value);
    TTBCustomItemActionLink* ActionLink() const { return actionLink_.get(); }

    // The shortcut as a menu shows it: the caption's text after its first tab when it has one, else the
    // keyboard's name of ShortCut (empty for none).
    WideString GetShortCutText() const;

    // Virtual operations.
    // Tells the parent's listeners that this item must be repainted (and measured again with needResize).
    virtual void Change(bool needResize);
    virtual void DoPopup(TTBCustomItem* sender, bool fromLink);
    virtual void EnabledChanged();
    // The view whose hidden items a chevron shows; none here.
    virtual TTBView* GetChevronParentView();
    // Whether viewer must be made again to show the item; false here.
    virtual bool NeedToRecreateViewer(TTBItemViewer* viewer);
    // Nothing when disabled. Toggles an AutoCheck item (unless its action does that itself), then runs the
    // action when OnClick is unset or is the action's own handler, else OnClick.
    virtual void Click();
    // Lets the action update the item.
    virtual void InitiateAction();
    // Class hooks of item families with a look of their own. CreateViewer: the viewer a view makes for the
    // item (null: the framework's chevron, separator or plain viewer). CreatePopupWindow: the window the
    // item's submenu opens in, unowned (null: the framework's). SelectFirstOnPopup: the submenu selects its
    // first item also when the mouse opened it.
    virtual TTBItemViewer* CreateViewer(TTBView* view, int groupLevel, bool chevron) { return nullptr; }
    virtual TTBPopupWindow* CreatePopupWindow(TTBView* parentView, bool customizing) { return nullptr; }
    virtual bool SelectFirstOnPopup() const { return false; }

    // Components.
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void SetName(const AnsiString& newName) override;
    void GetChildren(TGetChildProc proc, TComponent* root) override;
    void SetChildOrder(TComponent* child, int order) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }
    void SetParentComponent(TComponent* value) override;
    // The wide Caption and Hint as the entries "Caption" and "Hint", each only while the action does not
    // supply it.
    void DefineProperties(TFiler* filer) override;

    TNotifyEvent OnClick;
    TTBPopupEvent OnPopup;
    TTBSelectEvent OnSelect;

protected:
    // For descendants: what kind of item this is.
    void SetItemStyle(TTBItemStyle value) { itemStyle_ = value; }
    // What the streaming sees as the owner (a toolbar for its root item); null: the parent.
    void SetParentComponentField(TComponent* value) { parentComponent_ = value; }
    virtual TTBCustomItemActionLinkClass GetActionLinkClass();
    // Copies the action's properties; with checkDefaults only into those still at their defaults.
    virtual void ActionChange(TObject* sender, bool checkDefaults);
    void DeferredClick() override { Click(); }

private:
    class TSubitemsUpdate;

    void RelayNotify(TTBItemChangedAction action, int index, TTBCustomItem* item, TTBCustomItem* relayedFrom,
                     int depth);
    void RecalcEffectiveOptions();
    void UncheckGroupMembers();
    void ImagesChanged(TObject* sender);
    void SubMenuImagesChanged(TObject* sender);
    void NotifyParent(TTBItemChangedAction action);
    void DetachFromTree();
    void DropFreeNotification(TComponent* component);
    // Points watch at value (or none) and keeps field and the free notification with it.
    void WatchList(std::unique_ptr<TTBImageListWatch>& watch, TCustomImageList*& field, TCustomImageList* value,
                   TNotifyEvent onChange);

    // False once the item is destroyed: a call that may free the item keeps a copy and checks it afterwards.
    std::shared_ptr<bool> alive_;
    std::shared_ptr<TTBNotifyList> listeners_;
    TObjectPtr<TTBCustomItemActionLink> actionLink_;
    bool autoCheck_ = false;
    WideString caption_;
    bool checked_ = false;
    TTBItemDisplayMode displayMode_ = nbdmDefault;
    bool enabled_ = true;
    TTBItemOptions effectiveOptions_;
    std::int32_t groupIndex_ = 0;
    std::int32_t helpContext_ = 0;
    WideString hint_;
    std::int32_t imageIndex_ = -1;
    TCustomImageList* images_ = nullptr;
    std::unique_ptr<TTBImageListWatch> imagesWatch_;
    int imagesWidth_ = 0;
    int imagesHeight_ = 0;
    std::vector<TTBCustomItem*> items_;
    TTBItemStyle itemStyle_{tbisSelectable, tbisRedrawOnSelChange, tbisRedrawOnMouseOverChange};
    std::unique_ptr<std::vector<TTBCustomItem*>> linkParents_;
    TTBItemOptions maskOptions_;
    TTBItemOptions options_;
    bool inheritOptions_ = true;
    TTBCustomItem* parent_ = nullptr;
    TComponent* parentComponent_ = nullptr;
    bool radioItem_ = false;
    TShortCut shortCut_ = 0;
    TCustomImageList* subMenuImages_ = nullptr;
    std::unique_ptr<TTBImageListWatch> subMenuImagesWatch_;
    TTBCustomItem* linkSubitems_ = nullptr;
    bool visible_ = true;
};
