#include "classlib/core/TCustomActionList.h"

#include <algorithm>
#include <string>

TCustomActionList::TCustomActionList(TComponent* owner) : TComponent(owner) {}

TCustomActionList::~TCustomActionList() {
    while (!actions_.empty()) RemoveAction(actions_.back());
}

TContainedAction* TCustomActionList::Actions(int index) const {
    if (index < 0 || index >= ActionCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return actions_[static_cast<std::size_t>(index)];
}

int TCustomActionList::IndexOfAction(const TContainedAction* action) const {
    auto it = std::find(actions_.begin(), actions_.end(), action);
    return it == actions_.end() ? -1 : static_cast<int>(it - actions_.begin());
}

void TCustomActionList::AddAction(TContainedAction* action) {
    if (!action || action->actionList_ == this) return;
    if (action->actionList_) action->actionList_->RemoveAction(action);
    actions_.push_back(action);
    action->actionList_ = this;
}

void TCustomActionList::RemoveAction(TContainedAction* action) {
    auto it = std::find(actions_.begin(), actions_.end(), action);
    if (it == actions_.end()) return;
    actions_.erase(it);
    action->actionList_ = nullptr;
}

bool TCustomActionList::ExecuteAction(TBasicAction* action) {
    bool handled = false;
    if (state_ == asNormal && OnExecute) OnExecute(action, handled);
    return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* action) {
    bool handled = false;
    if (state_ == asNormal && OnUpdate) OnUpdate(action, handled);
    return handled;
}

bool TCustomActionList::IsShortCut(TShortCut shortCut) {
    if (shortCut == 0) return false;
    for (TContainedAction* action : actions_) {
        auto* custom = dynamic_cast<TCustomAction*>(action);
        if (custom && custom->ShortCut() == shortCut) return custom->Execute();
    }
    return false;
}

void TCustomActionList::SetState(TActionListState value) {
    if (value == state_) return;
    state_ = value;
    if (value == asSuspendedEnabled) {
        for (TContainedAction* action : std::vector<TContainedAction*>(actions_))
            if (auto* custom = dynamic_cast<TCustomAction*>(action)) custom->SetEnabled(true);
    }
}

void TCustomActionList::GetChildren(TGetChildProc proc, TComponent* root) {
    for (TContainedAction* action : std::vector<TContainedAction*>(actions_))
        if (action->Owner() == root) proc(action);
}

void TCustomActionList::SetChildOrder(TComponent* child, int order) {
    auto* action = dynamic_cast<TContainedAction*>(child);
    if (action && action->actionList_ == this) action->SetIndex(order);
}

void TCustomActionList::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove)
        if (auto* action = dynamic_cast<TContainedAction*>(component)) RemoveAction(action);
}

void TCustomActionList::Change() {
    if (OnChange) OnChange(this);
    for (TContainedAction* action : std::vector<TContainedAction*>(actions_)) action->Change();
}
