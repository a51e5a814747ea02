#include "toolbar/core/TTBCustomItem.h"

#include "classlib/core/CodePages.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/TCustomAction.h"
#include "classlib/core/TFiler.h"
#include "toolbar/core/ETBItemError.h"
#include "toolbar/core/Lists.h"
#include "toolbar/core/ShortCutText.h"
#include "toolbar/core/TTBCustomItemActionLink.h"
#include "toolbar/core/WideStringValues.h"

namespace {
// A notification follows at most this many relays through embedded groups and linking items; a loop of
// links (two items linking to each other) ends there.
constexpr int kMaxRelayDepth = 10;
}  // namespace

// The children update bracket (codes 3 and 4) for TUpdateGuard: the end is sent after an exception too,
// and not at all when the item was freed meanwhile.
class TTBCustomItem::TSubitemsUpdate {
public:
    explicit TSubitemsUpdate(TTBCustomItem* item) : item_(item), alive_(item->alive_) {}
    void BeginUpdate() { item_->Notify(tbicSubitemsBeginUpdate, 0, nullptr); }
    void EndUpdate() {
        if (*alive_) item_->Notify(tbicSubitemsEndUpdate, 0, nullptr);
    }

private:
    TTBCustomItem* item_;
    std::shared_ptr<bool> alive_;
};

TTBCustomItem::TTBCustomItem(TComponent* owner)
    : TComponent(owner), alive_(std::make_shared<bool>(true)), listeners_(std::make_shared<TTBNotifyList>()) {
    tb::AddDeferredClickUser();
}

TTBCustomItem::~TTBCustomItem() {
    DetachFromTree();
    *alive_ = false;
    actionLink_.reset();
    imagesWatch_.reset();
    subMenuImagesWatch_.reset();
    tb::RemoveDeferredClickUser();
}

void TTBCustomItem::BeforeDestruction() {
    TComponent::BeforeDestruction();
    DetachFromTree();
}

void TTBCustomItem::DetachFromTree() {
    tb::CancelDeferredClicks(this);
    Clear();
    if (parent_) parent_->Remove(this);
    while (linkParents_) linkParents_->back()->SetLinkSubitems(nullptr);
    if (linkSubitems_) {
        tb::RemoveFromList(linkSubitems_->linkParents_, this);
        linkSubitems_ = nullptr;
    }
}

// Tree

TTBCustomItem* TTBCustomItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw ETBItemError(tb::kItemIndexOutOfRange);
    return items_[static_cast<std::size_t>(index)];
}

int TTBCustomItem::IndexOf(const TTBCustomItem* item) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == item) return static_cast<int>(i);
    return -1;
}

TTBCustomItem* TTBCustomItem::LinkParents(int index) const {
    if (index < 0 || index >= LinkParentCount()) throw ETBItemError(tb::kItemIndexOutOfRange);
    return (*linkParents_)[static_cast<std::size_t>(index)];
}

void TTBCustomItem::Insert(int index, TTBCustomItem* item) {
    if (!item) throw ETBItemError(tb::kItemIsNil);
    if (item->parent_) throw ETBItemError(tb::kItemAlreadyInserted);
    if (index < 0 || index > Count()) throw ETBItemError(tb::kItemIndexOutOfRange);
    for (const TTBCustomItem* p = this; p; p = p->parent_)
        if (p == item) throw ETBItemError(tb::kItemInsertedIntoItself);
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    TSubitemsUpdate bracket(this);
    TUpdateGuard update(bracket);
    Notify(tbicInserted, index, item);
    if (item->parent_ == this) item->RecalcEffectiveOptions();
}

void TTBCustomItem::Delete(int index) {
    TTBCustomItem* child = Items(index);
    const std::shared_ptr<bool> alive = alive_;
    Notify(tbicDeleting, index, child);
    if (!*alive) return;
    // A listener may have taken the child out already (by freeing it).
    const int at = IndexOf(child);
    if (at < 0) return;
    child->parent_ = nullptr;
    items_.erase(items_.begin() + at);
}

void TTBCustomItem::Remove(TTBCustomItem* item) {
    const int index = IndexOf(item);
    if (index >= 0) Delete(index);
}

void TTBCustomItem::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    if (newIndex < 0 || newIndex >= Count()) throw ETBItemError(tb::kItemIndexOutOfRange);
    TTBCustomItem* child = Items(curIndex);
    TSubitemsUpdate bracket(this);
    TUpdateGuard update(bracket);
    Delete(curIndex);
    if (!child->parent_ && newIndex <= Count()) Insert(newIndex, child);
}

void TTBCustomItem::Clear() {
    const std::shared_ptr<bool> alive = alive_;
    while (*alive && !items_.empty()) {
        TTBCustomItem* child = items_.back();
        Free(child);  // the child leaves this item as it goes
    }
}

// Notifications

void TTBCustomItem::RegisterNotification(TTBItemChangedProc proc, void* data) { listeners_->Register(proc, data); }

void TTBCustomItem::UnregisterNotification(TTBItemChangedProc proc, void* data) { listeners_->Unregister(proc, data); }

void TTBCustomItem::Notify(TTBItemChangedAction action, int index, TTBCustomItem* item) {
    RelayNotify(action, index, item, nullptr, 0);
}

void TTBCustomItem::RelayNotify(TTBItemChangedAction action, int index, TTBCustomItem* item, TTBCustomItem* relayedFrom,
                                int depth) {
    const std::shared_ptr<bool> alive = alive_;
    TTBCustomItem* const origin = relayedFrom ? relayedFrom : this;
    if (depth < kMaxRelayDepth) {
        if (itemStyle_.Contains(tbisEmbeddedGroup) && parent_) {
            parent_->RelayNotify(action, index, item, origin, depth + 1);
            if (!*alive) return;
        }
        // The walk moves on only when the entry it just served is still in place, so a link parent that
        // leaves during its call neither stops the walk nor makes it skip the next one.
        for (std::size_t i = 0; linkParents_ && i < linkParents_->size();) {
            TTBCustomItem* linkParent = (*linkParents_)[i];
            if (linkParent != parent_) {
                linkParent->RelayNotify(action, index, item, origin, depth + 1);
                if (!*alive) return;
            }
            if (linkParents_ && i < linkParents_->size() && (*linkParents_)[i] == linkParent) ++i;
        }
    }
    // The list outlives the item for the walk, so a listener may free the item.
    const std::shared_ptr<TTBNotifyList> listeners = listeners_;
    listeners->Deliver(origin, relayedFrom != nullptr, action, index, item, *alive);
}

void TTBCustomItem::NotifyParent(TTBItemChangedAction action) {
    if (parent_) parent_->Notify(action, parent_->IndexOf(this), this);
}

void TTBCustomItem::Change(bool needResize) { NotifyParent(needResize ? tbicInvalidateAndResize : tbicInvalidate); }

void TTBCustomItem::EnabledChanged() { Change(false); }

// Properties

void TTBCustomItem::SetCaption(const WideString& value) {
    if (value == caption_) return;
    caption_ = value;
    Change(true);
}

void TTBCustomItem::SetHint(const WideString& value) { hint_ = value; }

void TTBCustomItem::SetChecked(bool value) {
    if (value == checked_) return;
    checked_ = value;
    const std::shared_ptr<bool> alive = alive_;
    Change(false);
    if (value && *alive) UncheckGroupMembers();
}

void TTBCustomItem::UncheckGroupMembers() {
    if (groupIndex_ == 0 || !parent_) return;
    const std::shared_ptr<bool> alive = alive_;
    TTBCustomItem* parent = parent_;
    for (int i = 0; *alive && i < parent->Count(); ++i) {
        TTBCustomItem* sibling = parent->items_[static_cast<std::size_t>(i)];
        if (sibling != this && sibling->groupIndex_ == groupIndex_) sibling->SetChecked(false);
        if (parent_ != parent) return;  // a listener moved this item away
    }
}

void TTBCustomItem::SetDisplayMode(TTBItemDisplayMode value) {
    if (value == displayMode_) return;
    displayMode_ = value;
    Change(true);
}

void TTBCustomItem::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    EnabledChanged();
}

void TTBCustomItem::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    Change(true);
}

void TTBCustomItem::SetRadioItem(bool value) {
    if (value == radioItem_) return;
    radioItem_ = value;
    Change(false);
}

void TTBCustomItem::SetGroupIndex(std::int32_t value) {
    if (value == groupIndex_) return;
    groupIndex_ = value;
    if (checked_) UncheckGroupMembers();
}

void TTBCustomItem::SetImageIndex(std::int32_t value) {
    if (value == imageIndex_) return;
    const bool gainsOrLoses = imageIndex_ == -1 || value == -1;
    imageIndex_ = value;
    Change(gainsOrLoses);
}

void TTBCustomItem::DropFreeNotification(TComponent* component) {
    if (!component) return;
    // One free-notification link serves every reference the item holds to that component.
    const bool stillUsed = (imagesWatch_ && imagesWatch_->Component() == component) ||
                           (subMenuImagesWatch_ && subMenuImagesWatch_->Component() == component) ||
                           component == linkSubitems_ || component == Action();
    if (!stillUsed) RemoveFreeNotification(component);
}

void TTBCustomItem::WatchList(std::unique_ptr<TTBImageListWatch>& watch, TCustomImageList*& field,
                              TCustomImageList* value, TNotifyEvent onChange) {
    std::unique_ptr<TTBImageListWatch> old = std::move(watch);
    if (value) {
        watch = tb::detail::WatchImageList(value, onChange);
        watch->Component()->FreeNotification(this);
    }
    field = value;
    if (old) DropFreeNotification(old->Component());
}

void TTBCustomItem::SetImages(TCustomImageList* value) {
    if (value == images_) return;
    const int oldWidth = imagesWidth_, oldHeight = imagesHeight_;
    WatchList(imagesWatch_, images_, value, MakeMethod<&TTBCustomItem::ImagesChanged>(this));
    imagesWidth_ = imagesWatch_ ? imagesWatch_->ImageWidth() : 0;
    imagesHeight_ = imagesWatch_ ? imagesWatch_->ImageHeight() : 0;
    Change(imagesWidth_ != oldWidth || imagesHeight_ != oldHeight);
}

void TTBCustomItem::ImagesChanged(TObject*) {
    if (!imagesWatch_) return;
    const int width = imagesWatch_->ImageWidth(), height = imagesWatch_->ImageHeight();
    const bool resized = width != imagesWidth_ || height != imagesHeight_;
    imagesWidth_ = width;
    imagesHeight_ = height;
    Change(resized);
}

void TTBCustomItem::SetSubMenuImages(TCustomImageList* value) {
    if (value == subMenuImages_) return;
    WatchList(subMenuImagesWatch_, subMenuImages_, value, MakeMethod<&TTBCustomItem::SubMenuImagesChanged>(this));
    Notify(tbicSubMenuImagesChanged, 0, nullptr);
}

void TTBCustomItem::SubMenuImagesChanged(TObject*) { Notify(tbicSubMenuImagesChanged, 0, nullptr); }

void TTBCustomItem::SetOptions(TTBItemOptions value) {
    value = tb::NormalizeOptions(value);
    if (value == options_) return;
    options_ = value;
    RecalcEffectiveOptions();
}

void TTBCustomItem::SetMaskOptions(TTBItemOptions value) {
    if (value == maskOptions_) return;
    maskOptions_ = value;
    RecalcEffectiveOptions();
}

void TTBCustomItem::SetInheritOptions(bool value) {
    if (value == inheritOptions_) return;
    inheritOptions_ = value;
    RecalcEffectiveOptions();
}

void TTBCustomItem::RecalcEffectiveOptions() {
    const TTBItemOptions updated =
        tb::EffectiveOptions(inheritOptions_, parent_ != nullptr,
                             parent_ ? parent_->effectiveOptions_ : TTBItemOptions{}, maskOptions_, options_);
    if (updated == effectiveOptions_) return;
    const TTBItemOptions before = effectiveOptions_;
    effectiveOptions_ = updated;
    const std::shared_ptr<bool> alive = alive_;
    if (tb::OptionsChangeNeedsResize(before, updated)) Change(true);
    for (std::size_t i = 0; *alive && i < items_.size(); ++i)
        if (items_[i]->inheritOptions_) items_[i]->RecalcEffectiveOptions();
}

void TTBCustomItem::SetLinkSubitems(TTBCustomItem* value) {
    if (value == this) value = nullptr;
    if (value == linkSubitems_) return;
    TTBCustomItem* old = linkSubitems_;
    if (old) tb::RemoveFromList(old->linkParents_, this);
    linkSubitems_ = value;
    if (value) {
        tb::AddToList(value->linkParents_, this);
        value->FreeNotification(this);
    }
    DropFreeNotification(old);
    Notify(tbicSubitemsChanged, 0, nullptr);
}

// Actions

TBasicAction* TTBCustomItem::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

TTBCustomItemActionLinkClass TTBCustomItem::GetActionLinkClass() {
    return TTBCustomItemActionLinkClass::Of<TTBCustomItemActionLink>();
}

void TTBCustomItem::SetAction(TBasicAction* value) {
    TBasicAction* old = Action();
    if (value == old && (value || !actionLink_)) return;
    if (!value) {
        actionLink_.reset();
        DropFreeNotification(old);
        return;
    }
    if (!actionLink_) actionLink_.reset(GetActionLinkClass().Create(this));
    actionLink_->SetAction(value);
    DropFreeNotification(old);
    value->FreeNotification(this);
    const bool loading = ComponentState().Contains(csLoading) || value->ComponentState().Contains(csLoading);
    ActionChange(value, loading);
}

void TTBCustomItem::ActionChange(TObject* sender, bool checkDefaults) {
    auto* action = dynamic_cast<TCustomAction*>(sender);
    if (!action) return;
    if (!checkDefaults || !autoCheck_) SetAutoCheck(action->AutoCheck());
    if (!checkDefaults || caption_.empty()) SetCaption(AnsiToWide(action->Caption()));
    if (!checkDefaults || !checked_) SetChecked(action->Checked());
    if (!checkDefaults || enabled_) SetEnabled(action->Enabled());
    if (!checkDefaults || helpContext_ == 0) SetHelpContext(action->HelpContext());
    if (!checkDefaults || hint_.empty()) SetHint(AnsiToWide(action->Hint()));
    if (!checkDefaults || imageIndex_ == -1) SetImageIndex(action->ImageIndex());
    if (!checkDefaults || shortCut_ == 0) SetShortCut(action->ShortCut());
    if (!checkDefaults || visible_) SetVisible(action->Visible());
    if (!checkDefaults || !OnClick) OnClick = action->OnExecute;
}

void TTBCustomItem::Click() {
    if (!enabled_) return;
    const std::shared_ptr<bool> alive = alive_;
    TBasicAction* action = Action();
    if (autoCheck_) {
        auto* custom = dynamic_cast<TCustomAction*>(action);
        // An auto-checking action toggles itself, and the link passes the new state on.
        if (!(custom && custom->AutoCheck())) SetChecked(!checked_);
        if (!*alive) return;
    }
    // A handler of the item's own (not the action's) wins over the action.
    if (action && (!OnClick || OnClick == action->OnExecute)) {
        actionLink_->Execute(this);
    } else if (OnClick) {
        OnClick(this);
    }
}

void TTBCustomItem::DoPopup(TTBCustomItem* sender, bool fromLink) {
    const std::shared_ptr<bool> alive = alive_;
    if (OnPopup) OnPopup(sender, fromLink);
    if (*alive && !itemStyle_.Contains(tbisCombo)) Click();
}

void TTBCustomItem::InitiateAction() {
    if (actionLink_) actionLink_->Update();
}

TTBView* TTBCustomItem::GetChevronParentView() { return nullptr; }

bool TTBCustomItem::NeedToRecreateViewer(TTBItemViewer*) { return false; }

WideString TTBCustomItem::GetShortCutText() const {
    const std::size_t tab = caption_.find(u'\t');
    if (tab != WideString::npos) return caption_.substr(tab + 1);
    return tb::ShortCutText(shortCut_);
}

// Components

void TTBCustomItem::Loaded() {
    TComponent::Loaded();
    if (TBasicAction* action = Action()) ActionChange(action, true);
}

void TTBCustomItem::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove || !component) return;
    if (component == Action()) SetAction(nullptr);
    if (imagesWatch_ && component == imagesWatch_->Component()) SetImages(nullptr);
    if (subMenuImagesWatch_ && component == subMenuImagesWatch_->Component()) SetSubMenuImages(nullptr);
    if (component == linkSubitems_) SetLinkSubitems(nullptr);
}

void TTBCustomItem::SetName(const AnsiString& newName) {
    if (newName == Name()) return;
    TComponent::SetName(newName);
    NotifyParent(tbicNameChanged);
}

void TTBCustomItem::GetChildren(TGetChildProc proc, TComponent*) {
    for (std::size_t i = 0; i < items_.size(); ++i) proc(items_[i]);
}

void TTBCustomItem::SetChildOrder(TComponent* child, int order) {
    const int index = IndexOf(dynamic_cast<TTBCustomItem*>(child));
    if (index >= 0) Move(index, order);
}

TComponent* TTBCustomItem::GetParentComponent() const {
    return parentComponent_ ? parentComponent_ : static_cast<TComponent*>(parent_);
}

void TTBCustomItem::SetParentComponent(TComponent* value) {
    if (parent_) parent_->Remove(this);
    if (auto* item = dynamic_cast<TTBCustomItem*>(value)) {
        item->Add(this);
    } else if (auto* owner = dynamic_cast<ITBItems*>(value)) {
        owner->GetItems()->Add(this);
    }
}

void TTBCustomItem::DefineProperties(TFiler* filer) {
    TComponent::DefineProperties(filer);
    const bool captionLinked = actionLink_ && actionLink_->IsCaptionLinked();
    const bool hintLinked = actionLink_ && actionLink_->IsHintLinked();
    filer->DefineProperty(
        "Caption", [this](TReader& reader) { SetCaption(tb::ReadWideStringValue(reader)); },
        [this](TWriter& writer) { tb::WriteWideStringValue(writer, caption_); }, !captionLinked);
    filer->DefineProperty(
        "Hint", [this](TReader& reader) { SetHint(tb::ReadWideStringValue(reader)); },
        [this](TWriter& writer) { tb::WriteWideStringValue(writer, hint_); }, !hintLinked);
}
