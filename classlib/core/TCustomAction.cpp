#include "classlib/core/TCustomAction.h"

#include <algorithm>

#include "classlib/core/ScopeGuard.h"
#include "classlib/core/TActionLink.h"
#include "classlib/core/TCustomActionList.h"

// TContainedAction

TContainedAction::TContainedAction(TComponent* owner) : TBasicAction(owner) {}

TContainedAction::~TContainedAction() {
    if (actionList_) actionList_->RemoveAction(this);
}

void TContainedAction::SetActionList(TCustomActionList* value) {
    if (value == actionList_) return;
    if (actionList_) actionList_->RemoveAction(this);
    if (value) value->AddAction(this);
}

void TContainedAction::SetCategory(const AnsiString& value) {
    if (value == category_) return;
    category_ = value;
    Change();
}

int TContainedAction::Index() const { return actionList_ ? actionList_->IndexOfAction(this) : -1; }

void TContainedAction::SetIndex(int value) {
    if (!actionList_) return;
    auto& list = actionList_->actions_;
    int current = Index();
    value = std::clamp(value, 0, static_cast<int>(list.size()) - 1);
    if (current < 0 || value == current) return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + value, this);
}

bool TContainedAction::Execute() {
    if (actionList_ && actionList_->ExecuteAction(this)) return true;
    return TBasicAction::Execute();
}

bool TContainedAction::Update() {
    if (actionList_ && actionList_->UpdateAction(this)) return true;
    return TBasicAction::Update();
}

TComponent* TContainedAction::GetParentComponent() const { return actionList_; }

bool TContainedAction::HasParent() const { return actionList_ != nullptr; }

void TContainedAction::SetParentComponent(TComponent* value) {
    if (auto* list = dynamic_cast<TCustomActionList*>(value)) SetActionList(list);
}

// TCustomAction

TCustomAction::TCustomAction(TComponent* owner) : TContainedAction(owner) {}

template <class T, class Apply>
void TCustomAction::Set(T& field, const T& value, Apply apply) {
    if (field == value) return;
    // The links are told before the value changes: each one still compares its client with the old value to
    // decide whether the client follows the action.
    std::vector<TBasicActionLink*> snapshot = clients_;
    for (TBasicActionLink* link : snapshot) {
        if (std::find(clients_.begin(), clients_.end(), link) == clients_.end()) continue;
        if (auto* actionLink = dynamic_cast<TActionLink*>(link)) apply(actionLink);
    }
    field = value;
    Change();
}

void TCustomAction::SetCaption(const AnsiString& value) {
    Set(caption_, value, [&](TActionLink* l) { l->SetCaption(value); });
}

void TCustomAction::SetChecked(bool value) {
    if (checking_ || value == checked_) return;
    checking_ = true;
    TScopeExit checked([this] { checking_ = false; });
    if (value && groupIndex_ > 0 && ActionList()) {
        TCustomActionList* list = ActionList();
        for (int i = 0; i < list->ActionCount(); ++i) {
            auto* other = dynamic_cast<TCustomAction*>(list->Actions(i));
            if (other && other != this && other->groupIndex_ == groupIndex_) other->SetChecked(false);
        }
    }
    Set(checked_, value, [&](TActionLink* l) { l->SetChecked(value); });
}

void TCustomAction::SetEnabled(bool value) {
    Set(enabled_, value, [&](TActionLink* l) { l->SetEnabled(value); });
}

void TCustomAction::SetHelpContext(int value) {
    Set(helpContext_, value, [&](TActionLink* l) { l->SetHelpContext(value); });
}

void TCustomAction::SetHint(const AnsiString& value) {
    Set(hint_, value, [&](TActionLink* l) { l->SetHint(value); });
}

void TCustomAction::SetImageIndex(int value) {
    Set(imageIndex_, value, [&](TActionLink* l) { l->SetImageIndex(value); });
}

void TCustomAction::SetShortCut(TShortCut value) {
    Set(shortCut_, value, [&](TActionLink* l) { l->SetShortCut(value); });
}

void TCustomAction::SetVisible(bool value) {
    Set(visible_, value, [&](TActionLink* l) { l->SetVisible(value); });
}

void TCustomAction::SetAutoCheck(bool value) {
    Set(autoCheck_, value, [&](TActionLink* l) { l->SetAutoCheck(value); });
}

void TCustomAction::SetGroupIndex(int value) {
    if (value == groupIndex_) return;
    Set(groupIndex_, value, [&](TActionLink* l) { l->SetGroupIndex(value); });
    if (checked_ && groupIndex_ > 0 && ActionList()) {
        TCustomActionList* list = ActionList();
        for (int i = 0; i < list->ActionCount(); ++i) {
            auto* other = dynamic_cast<TCustomAction*>(list->Actions(i));
            if (other && other != this && other->groupIndex_ == groupIndex_ && other->checked_) {
                SetChecked(false);
                break;
            }
        }
    }
}

bool TCustomAction::Execute() {
    if (ActionList() && ActionList()->State() != asNormal) return false;
    Update();
    if (!enabled_) return false;
    if (autoCheck_ && (!checked_ || groupIndex_ == 0)) SetChecked(!checked_);
    return TContainedAction::Execute();
}

bool TCustomAction::DoHint(AnsiString& hintStr) {
    bool canShow = true;
    if (OnHint) OnHint(hintStr, canShow);
    return canShow;
}

void TCustomAction::Assign(TPersistent* source) {
    auto* src = dynamic_cast<TCustomAction*>(source);
    if (!src) {
        TContainedAction::Assign(source);
        return;
    }
    SetAutoCheck(src->autoCheck_);
    SetCaption(src->caption_);
    SetChecked(src->checked_);
    SetEnabled(src->enabled_);
    SetGroupIndex(src->groupIndex_);
    SetHelpContext(src->helpContext_);
    SetHint(src->hint_);
    SetImageIndex(src->imageIndex_);
    SetShortCut(src->shortCut_);
    SetVisible(src->visible_);
    SetOnExecute(src->OnExecute);
    OnHint = src->OnHint;
    OnUpdate = src->OnUpdate;
}
